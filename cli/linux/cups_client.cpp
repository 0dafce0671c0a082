#include "cli/linux/cups_client.h"

#include <cups/cups.h>

#include <string>

namespace vx::cli::posix {

namespace {

bool Failed() { return cupsLastError() > IPP_STATUS_OK_CONFLICTING; }

// The last error; when no scheduler answers, libcups's text is only errno's, so the server is
// named instead.
std::string LastError() {
    if (cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE ||
        cupsLastError() == IPP_STATUS_ERROR_INTERNAL)
        return kNoSchedulerPrefix + std::string(cupsServer());
    return cupsLastErrorString();
}

// An operation on one job by its URI, as this user.
ipp_t* JobRequest(ipp_op_t op, int jobId) {
    ipp_t* request = ippNewRequest(op);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/jobs/%d", jobId);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    return request;
}

std::string Texts(ipp_attribute_t* a) {
    std::string out;
    for (int i = 0; i < ippGetCount(a); ++i) {
        const char* s = ippGetString(a, i, nullptr);
        if (s) out += (out.empty() ? "" : ",") + std::string(s);
    }
    return out;
}

}  // namespace

bool LibCupsClient::Destinations(std::vector<CupsDestination>& out, std::string& error) {
    static const char* const wanted[] = {"printer-name", "printer-make-and-model", "device-uri",
                                         "printer-location"};
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 4, nullptr,
                  wanted);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    out.clear();
    if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND) {  // a server without queues
        ippDelete(response);
        return true;
    }
    if (!response || Failed()) {
        error = LastError();
        ippDelete(response);
        return false;
    }
    CupsDestination current;
    auto flush = [&] {
        if (!current.name.empty()) out.push_back(current);
        current = {};
    };
    for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
        const char* name = ippGetName(a);
        if (ippGetGroupTag(a) != IPP_TAG_PRINTER || name == nullptr) {
            flush();
            continue;
        }
        const std::string n = name;
        if (n == "printer-name") current.name = Texts(a);
        if (n == "printer-make-and-model") current.makeAndModel = Texts(a);
        if (n == "device-uri") current.deviceUri = Texts(a);
        if (n == "printer-location") current.location = Texts(a);
    }
    flush();
    ippDelete(response);
    return true;
}

int LibCupsClient::SubmitRaw(const std::string& queue, const std::string& title,
                             const std::vector<std::uint8_t>& data, std::string& error) {
    // Create-Job by hand rather than cupsCreateJob, which looks the queue up on its own
    // first and, for a queue that is not there, has no better reason than errno's.
    ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", queue.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.c_str());
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    ipp_attribute_t* idAttribute =
        response && !Failed() ? ippFindAttribute(response, "job-id", IPP_TAG_INTEGER) : nullptr;
    const int id = idAttribute ? ippGetInteger(idAttribute, 0) : 0;
    ippDelete(response);
    if (id <= 0) {
        error = LastError();
        return 0;
    }
    bool ok = cupsStartDocument(CUPS_HTTP_DEFAULT, queue.c_str(), id, title.c_str(),
                                CUPS_FORMAT_RAW, 1) == HTTP_STATUS_CONTINUE &&
              cupsWriteRequestData(CUPS_HTTP_DEFAULT, reinterpret_cast<const char*>(data.data()),
                                   data.size()) == HTTP_STATUS_CONTINUE;
    // The document is finished in any case, so the request ends properly.
    ok = cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.c_str()) == IPP_STATUS_OK && ok;
    if (!ok) {
        error = LastError();
        cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.c_str(), id, 0);
        return 0;
    }
    return id;
}

bool LibCupsClient::JobStatus(int jobId, CupsJobStatus& status, std::string& error) {
    static const char* const wanted[] = {"job-state", "job-state-reasons",
                                         "job-printer-state-message"};
    ipp_t* request = JobRequest(IPP_OP_GET_JOB_ATTRIBUTES, jobId);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr,
                  wanted);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (!response || Failed()) {
        error = LastError();
        ippDelete(response);
        return false;
    }
    status = {};
    if (ipp_attribute_t* a = ippFindAttribute(response, "job-state", IPP_TAG_ENUM))
        status.state = ippGetInteger(a, 0);
    if (ipp_attribute_t* a = ippFindAttribute(response, "job-state-reasons", IPP_TAG_KEYWORD))
        status.reasons = Texts(a);
    if (ipp_attribute_t* a = ippFindAttribute(response, "job-printer-state-message", IPP_TAG_TEXT))
        status.message = Texts(a);
    ippDelete(response);
    return true;
}

std::string LibCupsClient::QueueReasons(const std::string& queue) {
    static const char* const wanted[] = {"printer-state-reasons", "printer-state-message"};
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", queue.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr,
                  wanted);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    std::string out;
    if (response && !Failed()) {
        if (ipp_attribute_t* a =
                ippFindAttribute(response, "printer-state-reasons", IPP_TAG_KEYWORD))
            out = Texts(a);
        ipp_attribute_t* m = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT);
        const std::string message = m ? Texts(m) : "";
        if (!message.empty()) out += (out.empty() ? "" : ": ") + message;
    }
    ippDelete(response);
    return out == "none" ? std::string() : out;
}

bool LibCupsClient::CancelJob(int jobId, std::string& error) {
    ippDelete(cupsDoRequest(CUPS_HTTP_DEFAULT, JobRequest(IPP_OP_CANCEL_JOB, jobId), "/jobs/"));
    if (!Failed()) return true;
    error = LastError();
    return false;
}

}  // namespace vx::cli::posix

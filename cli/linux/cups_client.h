// CUPS through libcups: the server's queues, raw jobs, job states. The server
// is libcups's default (CUPS_SERVER, the client configuration, or the local one).
#pragma once

#include "cli/print_service.h"

namespace vx::cli::posix {

class LibCupsClient : public CupsClient {
  public:
    bool Destinations(std::vector<CupsDestination>& out, std::string& error) override;
    int SubmitRaw(const std::string& queue, const std::string& title,
                  const std::vector<std::uint8_t>& data, std::string& error) override;
    bool JobStatus(int jobId, CupsJobStatus& status, std::string& error) override;
    bool CancelJob(int jobId, std::string& error) override;
    std::string QueueReasons(const std::string& queue) override;
};

}  // namespace vx::cli::posix

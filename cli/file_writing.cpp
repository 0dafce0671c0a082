#include "cli/file_writing.h"

#include "cli/cli_platform.h"

namespace vx::cli {

WriteWay ChooseWriteWay(const PathState& state, const std::string& folderWhy, std::string& why) {
    switch (state.kind) {
        case PathState::Other:
            return WriteWay::Direct;
        case PathState::Folder:
            why = folderWhy;
            return WriteWay::Refuse;
        case PathState::Missing:
            return WriteWay::ThroughTemporary;
        case PathState::Regular:
            break;
    }
    if (!state.writable) {
        why = OutputFiles::kReadOnly;
        return WriteWay::Refuse;
    }
    return state.keepsIdentity ? WriteWay::InPlace : WriteWay::ThroughTemporary;
}

bool WriteChosenWay(const PathState& state, const std::string& folderWhy, std::string& error,
                    const std::function<bool()>& direct, const std::function<bool()>& inPlace,
                    const std::function<bool()>& throughTemporary) {
    switch (ChooseWriteWay(state, folderWhy, error)) {
        case WriteWay::Refuse:
            return false;
        case WriteWay::Direct:
            return direct();
        case WriteWay::InPlace:
            return inPlace();
        case WriteWay::ThroughTemporary:
            break;
    }
    return throughTemporary();
}

bool IsStandardStream(const std::string& path) { return path == "-"; }

namespace {

std::size_t LastSeparator(const std::string& path, bool backslashes) {
    return path.find_last_of(backslashes ? "/\\" : "/");
}

}  // namespace

std::string FolderOf(const std::string& path, bool backslashes) {
    const std::size_t at = LastSeparator(path, backslashes);
    if (at == std::string::npos) return ".";
    return at == 0 ? path.substr(0, 1) : path.substr(0, at);
}

std::string BaseNameOf(const std::string& path, bool backslashes) {
    const std::size_t at = LastSeparator(path, backslashes);
    return at == std::string::npos ? path : path.substr(at + 1);
}

std::string TemporaryPrefix(const std::string& target, bool backslashes) {
    return "." + BaseNameOf(target, backslashes) + ".vxctl-";
}

}  // namespace vx::cli

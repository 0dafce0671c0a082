// How vxctl writes a whole file, decided the same way on every platform: what is at
// the path says whether the bytes go straight in (a device, a pipe, the standard
// output), into the file itself, or into a temporary file in its folder that then
// takes its place. The platforms only look and carry it out.
#pragma once

#include <functional>
#include <string>

namespace vx::cli {

// What is at a path, once symbolic links are followed, as the platform sees it.
struct PathState {
    enum Kind {
        Missing,  // nothing yet: a new file
        Regular,  // a file
        Folder,
        Other,  // a device, a pipe, a terminal, a standard stream
    } kind = Missing;
    bool writable = true;  // a file: nobody is kept from writing it (mode bits, read-only)
    // A file whose replacement by a new one would lose something it is: another name (a hard
    // link) or an owner the new file cannot be given.
    bool keepsIdentity = false;
};

enum class WriteWay {
    Refuse,            // nothing written; the reason is given
    Direct,            // written as it is, in one go: devices and streams
    InPlace,           // the file itself overwritten and cut to length
    ThroughTemporary,  // a temporary file in the folder, then in the file's place
};

// The way to write at a path in `state`; for Refuse, `why` gets OutputFiles::kReadOnly for
// a file nobody may write and `folderWhy` (the system's words) for a folder.
WriteWay ChooseWriteWay(const PathState& state, const std::string& folderWhy, std::string& why);

// Writes the way ChooseWriteWay picks, each way carried out by the platform; false, with
// `error` set, for a refusal or a failed write.
bool WriteChosenWay(const PathState& state, const std::string& folderWhy, std::string& error,
                    const std::function<bool()>& direct, const std::function<bool()>& inPlace,
                    const std::function<bool()>& throughTemporary);

// "-" stands for the standard output where a file is written and the standard input where
// one is read.
bool IsStandardStream(const std::string& path);

// The folder of a path ("." when it names none) and its last part; '/' and, where
// `backslashes`, '\' separate.
std::string FolderOf(const std::string& path, bool backslashes);
std::string BaseNameOf(const std::string& path, bool backslashes);

// The temporary files of a write into `target` start with this, so that a later run can
// find and remove those a killed run left.
std::string TemporaryPrefix(const std::string& target, bool backslashes);

}  // namespace vx::cli

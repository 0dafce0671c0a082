// Silent mode: the install and the uninstall stages with the log in place of windows.
#include "installer/silent.h"

#include "installer/installer_texts.h"

namespace vx::inst {

Answer LogBoxes::Show(const std::string& text, const std::string&, MsgStyle style) {
    log_.Line(text);
    return style == MsgStyle::YesNoExclamation || style == MsgStyle::YesNoPlain ? Answer::No
                                                                                : Answer::Ok;
}

bool UsableDestination(const std::string& path) {
    const bool drive = path.size() > 3 && path[1] == ':' && path[2] == '\\' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (!drive || Utf16Length(path) > kMaxPath) return false;
    std::string rest = path.substr(3);
    if (rest.back() == '\\') rest.pop_back();
    for (std::size_t start = 0;;) {
        const std::size_t end = rest.find('\\', start);
        if (!IsFolderName(rest.substr(start, end - start))) return false;
        if (end == std::string::npos) return true;
        start = end + 1;
    }
}

namespace {

// The checks of the folder window's OK, without its questions: a missing folder is made.
int SilentInstall(Platform& p, const SetupRecord& setup, const std::string& folder, Log& log) {
    LogBoxes boxes(log);
    SetupRecord record = setup;
    const std::string destination =
        folder.empty() ? DefaultDestination(p.system.WindowsDirectory(), record.installFolder)
                       : folder;
    if (!UsableDestination(destination) || !p.files.DriveRootExists(destination.substr(0, 3)) ||
        (p.files.Exists(destination) && !p.files.IsFolder(destination))) {
        log.Line(std::string(text::kSpecifyDestination) + " " + destination);
        return kExitBadDestination;
    }
    if ((p.files.FreeBytes(destination.substr(0, 3)) >> 20) < record.requiredMb) {
        log.Line(FormatNumber(text::kNoFreeSpace, static_cast<long long>(record.requiredMb)));
        return kExitNoSpace;
    }
    InstallRecord made;
    if (!p.files.Exists(destination) && !CreateFolderWithAncestors(p.files, destination, made)) {
        RollBack(p.files, made);
        log.Line(FormatText(text::kFolderNotCreated, destination));
        return kExitBadDestination;
    }

    LogProgress view(log);
    RunInstallWorker(p, MakeInstallJob(p, record, destination, made, true),
                     view);  // ends the process: 0 done, 1 failed and taken back
    return kExitFailed;
}

// Stage one waits for stage two, so that the exit code is the uninstall's and a tool that
// runs the uninstall knows when it is over.
int SilentStageOne(Platform& p, const SetupRecord& record, const std::string& logFile, Log& log) {
    LogBoxes boxes(log);
    std::string installFolder;
    const std::string tempProgram = PrepareStageTwo(p, boxes, record, &installFolder);
    if (tempProgram.empty()) return kExitFailed;

    // This process runs from the installed program, whose file the system keeps while it
    // runs: stage two could not delete it, nor then the folder. It waits beside the
    // temporary copy instead, deleted at the next start like it, and goes back when the
    // uninstall does not go through. Where it cannot be moved (another volume), it and
    // the folder are deleted at the next start.
    const std::string self = p.system.ModulePath();
    const bool installed = EqualNoCase(FolderOf(self), installFolder);
    const std::string parked = ReplaceLastThree(tempProgram, "old");
    const bool moved = installed && p.files.Move(self, parked);

    std::string arguments = " /U /S";
    if (!logFile.empty()) arguments += " \"/LOG=" + logFile + "\"";
    int code = kExitFailed;
    bool started = false;
    for (int attempt = 0; attempt < 5 && !started; ++attempt) {
        p.system.Sleep(100);
        started = p.system.RunProcess(tempProgram, arguments, code);
    }
    if (!started) {
        log.Line(FormatText(text::kUninstallerNotStarted, tempProgram));
        code = kExitFailed;
    }
    if (code != kExitDone) {
        if (moved) p.files.Move(parked, self);
    } else if (moved) {
        DeleteAtNextStart(p, parked);
    } else if (installed) {
        DeleteAtNextStart(p, self);
        DeleteAtNextStart(p, installFolder);
    }
    return code;
}

int SilentStageTwo(Platform& p, const SetupRecord& record, Log& log) {
    LogProgress view(log);
    const bool done = RunUninstallWorker(p, record, view);
    p.files.Delete(FormatText("%s\\VxInst.ini", p.system.TempPath()));
    return done ? kExitDone : kExitFailed;
}

}  // namespace

int RunSilent(Platform& p, const Invocation& invocation, Log& log) {
    if (!HasInstallRight(p.system)) {
        log.Line(text::kNoInstallRight);
        return kExitNoRight;
    }
    LogBoxes boxes(log);
    SetupRecord record;
    if (!ReadSetupInformation(p, boxes, record)) return kExitSetupFileBroken;
    if (invocation.stages.empty()) return SilentInstall(p, record, invocation.destination, log);
    for (const char stage : invocation.stages) {
        const int code = stage == 'U' ? SilentStageTwo(p, record, log)
                                      : SilentStageOne(p, record, invocation.logFile, log);
        if (code != kExitDone) return code;
    }
    return kExitDone;
}

}  // namespace vx::inst

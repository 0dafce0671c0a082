// Silent mode: the install and the uninstall stages with the log in place of windows.
#include "installer/silent.h"

#include "installer/folder_flow.h"
#include "installer/install_flow.h"
#include "installer/installer_texts.h"
#include "installer/path_text.h"
#include "installer/uninstall_flow.h"

namespace vx::inst {

Answer LogBoxes::Show(const std::string& text, const std::string&, MsgStyle style) {
    log_.Line(text);
    return style == MsgStyle::YesNoExclamation || style == MsgStyle::YesNoPlain ? Answer::No
                                                                                : Answer::Ok;
}

namespace {

// The checks of the folder window's OK, without its questions: a missing folder is made.
int SilentInstall(Platform& p, const SetupRecord& setup, const std::string& folder, Log& log) {
    LogBoxes boxes(log);
    SetupRecord record = setup;
    const std::string destination =
        folder.empty() ? DefaultDestination(p.system.WindowsDirectory(), record.installFolder)
                       : folder;
    const DestinationCheck check =
        CheckDestination(p, record, destination, SourceFolder(p, record));
    if (check.problem != DestinationProblem::None) {
        log.Line(check.message + " " + destination);
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
    const bool installed = SameFolder(p.files, FolderOf(self), installFolder);
    const std::string parked = ReplaceLastThree(tempProgram, "old");
    const bool moved = installed && p.files.Move(self, parked);

    std::string arguments = " /U /S";
    if (!logFile.empty()) arguments += " \"/LOG=" + logFile + "\"";
    int code = kExitFailed;
    bool started = false;
    for (int attempt = 0; attempt < kStageTwoStartTries && !started; ++attempt) {
        p.system.Sleep(kStageTwoStartPauseMs);
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
    p.files.Delete(TempSetupCopy(p.system));
    return done ? kExitDone : kExitFailed;
}

}  // namespace

int RunSilent(Platform& p, const Invocation& invocation, Log& log) {
    if (!HasInstallRight(p.system)) {
        log.Line(text::kNoInstallRight);
        return kExitNoRight;
    }
    LogBoxes boxes(log);
    // A log asked for and not writable would leave the run without its record.
    if (!invocation.logFile.empty() && !log.Writable()) return kExitSetupFileBroken;
    SetupRecord record;
    if (!ReadSetupInformation(p, boxes, record)) return kExitSetupFileBroken;
    if (invocation.stages.empty()) {
        if (invocation.destinationGiven && invocation.destination.empty()) {
            log.Line(text::kSpecifyDestination);
            return kExitBadDestination;
        }
        return SilentInstall(p, record, invocation.destination, log);
    }
    for (const char stage : invocation.stages) {
        if (stage == 'U') {
            const int code = SilentStageTwo(p, record, log);
            if (code != kExitDone) return code;
            continue;
        }
        // Stage one runs stage two itself and waits for it: the uninstall is over then,
        // whatever switch follows.
        return SilentStageOne(p, record, invocation.logFile, log);
    }
    return kExitDone;
}

}  // namespace vx::inst

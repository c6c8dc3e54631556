#include "app/entry.h"

#include <exception>
#include <new>
#include <string>

#include "diagnostics/error_box.h"
#include "diagnostics/exceptions.h"
#include "diagnostics/log_file.h"
#include "diagnostics/trace.h"
#include "geometry/measurement.h"
#include "platform/processes.h"
#include "play/play.h"
#include "settings/load_settings.h"
#include "supervisor/supervision_marks.h"
#include "supervisor/supervisor.h"
#include "watch/watch.h"

namespace {

void ReportException(const char* className, const std::string& message) {
    // The exception left the loop where it was: the cursor and the topmost band go first.
    EndPlay();
    ShowErrorBox(std::string("Internal exception, please contact the developer:\r\n") + className + ": " + message);
}

// The run between the log's opening and its closing; any exception leaving it is
// reported in a box.
template <class Run>
void RunReported(Run run) {
    EnableLogFile();
    // The log ends with the run, on every road out of it.
    struct LogCloser {
        ~LogCloser() { CloseLogFile(); }
    } closer;
    try {
        run();
    } catch (const Exception& error) {
        ReportException(error.ClassName(), error.Message());
    } catch (const std::bad_alloc&) {
        EOutOfMemory error;
        ReportException(error.ClassName(), error.Message());
    } catch (const std::exception& error) {
        // Any other failure the run-time support reports.
        ReportException("Exception", error.what());
    }
}

bool LoadedSettings() {
    if (LoadSettings()) return true;
    ShowErrorBox("Failed to load settings; please check the configuration file.");
    return false;
}

}  // namespace

int RunEntryFlow() {
    RunReported([] {
        if (!LoadedSettings()) return;
        ReadDisplayResolution();
        Trace("*** Launching program ***");
        RunTargetProgram();
        Trace("*** Program finished, exiting ***");
    });
    return 0;
}

int RunWatchFlow(const std::string& folder) {
    int exitCode = 0;
    RunReported([&] { exitCode = RunWatch(folder); });
    return exitCode;
}

int RunStopWatchFlow() {
    int exitCode = 0;
    RunReported([&] { exitCode = StopRunningWatch(); });
    return exitCode;
}

int RunFlowOf(const LauncherArguments& arguments) {
    switch (arguments.mode) {
    case LauncherMode::Attach:
        return RunAttachFlow(arguments.attachProcess);
    case LauncherMode::Watch:
        return RunWatchFlow(arguments.watchFolder);
    case LauncherMode::StopWatch:
        return RunStopWatchFlow();
    default:
        return RunEntryFlow();
    }
}

int RunAttachFlow(const std::string& attachProcess) {
    const unsigned boxesBefore = ErrorBoxesShown();
    // Made first, so that a request the watch makes while the settings load is not lost.
    const platform::KernelHandle stopRequest = OpenStopRequest();
    std::uint32_t exitCode = kAttachBoxShown;
    RunReported([&] {
        if (!LoadedSettings()) return;
        ReadDisplayResolution();
        Trace("*** Attaching to process " + attachProcess + " ***");
        exitCode = AttachToProgram(attachProcess, stopRequest);
        Trace("*** Supervision finished, exiting ***");
    });
    if (stopRequest != 0) platform::CloseHandle(stopRequest);
    return static_cast<int>(ErrorBoxesShown() != boxesBefore ? kAttachBoxShown : exitCode);
}

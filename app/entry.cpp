#include "app/entry.h"

#include <exception>
#include <new>
#include <string>

#include "diagnostics/error_box.h"
#include "diagnostics/exceptions.h"
#include "diagnostics/log_file.h"
#include "diagnostics/trace.h"
#include "geometry/measurement.h"
#include "play/play.h"
#include "settings/load_settings.h"
#include "supervisor/supervisor.h"

namespace {

void ReportException(const char* className, const std::string& message) {
    // The exception left the loop where it was: the cursor and the topmost band go first.
    EndPlay();
    ShowErrorBox(std::string("Internal exception, please contact the developer:\r\n") + className + ": " + message);
}

}  // namespace

int RunEntryFlow() {
    EnableLogFile();
    // The log ends with the run, on every road out of it.
    struct LogCloser {
        ~LogCloser() { CloseLogFile(); }
    } closer;
    try {
        if (!LoadSettings()) {
            ShowErrorBox("Failed to load settings; please check the configuration file.");
            return 0;
        }
        ReadDisplayResolution();
        Trace("*** Launching program ***");
        RunTargetProgram();
        Trace("*** Program finished, exiting ***");
    } catch (const Exception& error) {
        ReportException(error.ClassName(), error.Message());
    } catch (const std::bad_alloc&) {
        EOutOfMemory error;
        ReportException(error.ClassName(), error.Message());
    } catch (const std::exception& error) {
        // Any other failure the run-time support reports.
        ReportException("Exception", error.what());
    }
    return 0;
}

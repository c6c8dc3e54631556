// The simulated desktop's processes: programs started, suspended, resumed and ended,
// their jobs, the waits on them and the handles that stand for them.
#include "tests/support/fake_desktop.h"

#include <algorithm>

#include "tests/support/desktop_records.h"

namespace fake {

namespace {

constexpr std::uint32_t kStillActive = 259;
constexpr std::uint32_t kElevationRequired = 740;
constexpr std::uint32_t kCancelled = 1223;

}  // namespace

// ---- processes ----

Desktop& Desktop::program(const std::string& path, ProgramSpec description) {
    file(path, "MZ");
    programs_[normalised(path)] = std::move(description);
    return *this;
}

Desktop& Desktop::commandLine(std::string line) {
    commandLine_ = std::move(line);
    return *this;
}

Desktop& Desktop::jobsRefused() {
    jobsRefused_ = true;
    return *this;
}

std::uint32_t Desktop::pidOf(const std::string& programPath) const {
    std::uint32_t pid = 0;
    for (const Process* process : processes_) {
        if (process->path == normalised(programPath)) pid = process->pid;
    }
    return pid;
}

WindowHandle Desktop::windowOfLastLaunch(std::size_t index) const {
    for (const Process* process : processes_) {
        if (process->pid == lastPid_ && index < process->windows.size()) return process->windows[index];
    }
    return platform::kNoWindow;
}

void Desktop::endProcess(Process& process) {
    process.ended = true;
    // The system destroys a process's windows when it ends.
    for (WindowHandle window : process.windows) destroyWindow(window);
}

bool Desktop::createProcess(const std::string& app, const std::string& cmd, const std::string& dir,
                            std::uint32_t flags, platform::ProcessInformation& info) {
    launches_.push_back({app, cmd, dir, flags});
    auto program = programs_.find(normalised(app));
    if (program == programs_.end() || program->second.failsToStart ||
        fileAttributes(dir) == platform::kInvalidFileAttributes) {
        lastError_ = 2;  // ERROR_FILE_NOT_FOUND
        return false;
    }
    if (program->second.requiresAdministrator && !launcherElevated_) return fail(kElevationRequired);
    Process* process = spawn(app, 0);
    process->elevated = launcherElevated_;
    lastPid_ = process->pid;
    info = {process->processHandle, process->threadHandle, process->pid, process->pid + 1};
    // A suspended process runs nothing, starts no child and makes no window until resumed.
    if ((flags & platform::kCreateSuspended) != 0) process->suspended = true;
    else startProcess(*process);
    return true;
}

Desktop::Process* Desktop::spawn(const std::string& path, std::uint32_t job) {
    auto* process = new Process{nextPid_, nextHandle_, nextHandle_ + 4, 0, programs_[normalised(path)].exitCode,
                                false, {}, normalised(path), false, job, clockMs_, false, path};
    processes_.push_back(process);
    nextPid_ += 4;
    nextHandle_ += 8;
    openHandles_[process->processHandle] = "process";
    openHandles_[process->threadHandle] = "thread";
    return process;
}

void Desktop::startProcess(Process& started) {
    Process* process = &started;
    const ProgramSpec& description = programs_[process->path];
    process->endMs = clockMs_ + description.runsForMs;
    for (const WindowSpec& window : description.windows) {
        std::uint32_t owner = window.pid != 0 ? window.pid : process->pid;
        auto create = [this, process, window, owner] {
            if (process->ended) return;
            const bool owned = window.ownerIndex >= 0 && static_cast<std::size_t>(window.ownerIndex) <
                                                             process->windows.size();
            const WindowHandle handle =
                createWindow(window, owner, owned ? process->windows[static_cast<std::size_t>(window.ownerIndex)] : 0);
            process->windows.push_back(handle);
            if (!window.atBottom) activate(handle);
        };
        if (window.appearsAfterMs <= 0) create();
        else at(clockMs_ + window.appearsAfterMs, create);
    }
    // A child is in its parent's job from its creation on; its handles are the parent's business.
    for (const ProgramSpec::Child& child : description.children) {
        at(clockMs_ + child.afterMs, [this, process, child] {
            if (process->ended) return;
            Process* started = spawn(child.path, process->job);
            started->elevated = process->elevated;
            openHandles_.erase(started->processHandle);
            openHandles_.erase(started->threadHandle);
            startProcess(*started);
        });
    }
    at(process->endMs, [this, process] {
        if (!process->ended) endProcess(*process);
    });
}

std::uint32_t Desktop::startElsewhere(const std::string& path, ProgramSpec description, std::int64_t startedMsAgo) {
    const bool asAdministrator = description.asAdministrator;
    program(path, std::move(description));
    Process* process = spawn(path, 0);
    // Its handles belong to whoever started it.
    openHandles_.erase(process->processHandle);
    openHandles_.erase(process->threadHandle);
    process->createdMs = clockMs_ - startedMsAgo;
    process->elevated = asAdministrator;
    startProcess(*process);
    return process->pid;
}

Desktop::Process* Desktop::processOf(std::uint32_t handle) const {
    if (openHandles_.count(handle) == 0) return nullptr;
    auto opened = openedProcesses_.find(handle);
    for (Process* process : processes_) {
        if (opened != openedProcesses_.end() ? process->pid == opened->second : process->processHandle == handle) {
            return process;
        }
    }
    return nullptr;
}

std::uint32_t Desktop::newHandle(const char* kind) {
    const std::uint32_t handle = nextHandle_;
    nextHandle_ += 4;
    openHandles_[handle] = kind;
    return handle;
}

// A process that has ended is gone, as it is once nobody holds a handle to it.
std::uint32_t Desktop::openProcess(std::uint32_t pid) {
    for (const Process* process : processes_) {
        if (process->pid != pid || process->ended) continue;
        const std::uint32_t handle = newHandle("process");
        openedProcesses_[handle] = pid;
        return handle;
    }
    fail(kInvalidParameter);
    return 0;
}

// FILETIME at the virtual clock's 0: 2026-12-08 09:00:00 UTC.
constexpr std::uint64_t kFileTimeAtZero = 134095716000000000ull;

bool Desktop::creationTime(std::uint32_t handle, std::uint64_t& time) const {
    const Process* process = processOf(handle);
    if (process == nullptr) return false;
    time = static_cast<std::uint64_t>(static_cast<std::int64_t>(kFileTimeAtZero) + process->createdMs * 10000);
    return true;
}

std::uint64_t Desktop::fileTimeNow() const {
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(kFileTimeAtZero) + clockMs_ * 10000);
}

bool Desktop::imageName(std::uint32_t handle, std::string& path) const {
    const Process* process = processOf(handle);
    if (process == nullptr) return false;
    path = process->image;
    return true;
}

// ---- administrator rights ----

Desktop& Desktop::launcherElevated() {
    launcherElevated_ = true;
    return *this;
}

Desktop& Desktop::elevationDeclined() {
    elevationDeclined_ = true;
    return *this;
}

bool Desktop::tokenElevation(std::uint32_t handle, bool& elevated) {
    if (handle == kLauncherProcess) {
        elevated = launcherElevated_;
        return true;
    }
    const Process* process = processOf(handle);
    if (process == nullptr) return fail(kInvalidHandle);
    if (process->elevated && !launcherElevated_) return fail(kAccessDenied);
    elevated = process->elevated;
    return true;
}

bool Desktop::shellExecute(ShellExecution execution) {
    shellExecutions_.push_back(std::move(execution));
    return !elevationDeclined_ || shellExecutions_.back().verb != "runas" || fail(kCancelled);
}

std::uint32_t Desktop::resumeThread(std::uint32_t thread) {
    for (Process* process : processes_) {
        if (process->threadHandle != thread || openHandles_.count(thread) == 0) continue;
        if (!process->suspended) return 0;
        process->suspended = false;
        startProcess(*process);
        return 1;
    }
    lastError_ = 6;  // ERROR_INVALID_HANDLE
    return 0xFFFFFFFFu;
}

bool Desktop::terminateProcess(std::uint32_t handle, std::uint32_t code) {
    for (Process* process : processes_) {
        if (process->processHandle != handle || openHandles_.count(handle) == 0) continue;
        if (!process->ended) {
            process->exitCode = code;
            endProcess(*process);
        }
        return true;
    }
    lastError_ = 6;
    return false;
}

bool Desktop::exitCodeOf(std::uint32_t handle, std::uint32_t& code) {
    const Process* process = processOf(handle);
    if (process == nullptr) return false;
    code = process->ended ? process->exitCode : kStillActive;
    return true;
}

// ---- jobs ----

std::uint32_t Desktop::createJob() {
    std::uint32_t handle = nextHandle_;
    nextHandle_ += 4;
    openHandles_[handle] = "job";
    return handle;
}

bool Desktop::assignToJob(std::uint32_t job, std::uint32_t processHandle) {
    if (jobsRefused_) {
        lastError_ = 5;  // ERROR_ACCESS_DENIED
        return false;
    }
    for (Process* process : processes_) {
        if (process->processHandle == processHandle && openHandles_.count(processHandle) != 0 &&
            openHandles_.count(job) != 0) {
            process->job = job;
            return true;
        }
    }
    lastError_ = 6;
    return false;
}

// As the system answers with a buffer too short for the list: the counts and the
// ids that fit, and ERROR_MORE_DATA; with no room for one id, ERROR_BAD_LENGTH.
bool Desktop::queryJob(std::uint32_t job, platform::JobProcessIds& list) {
    auto handle = openHandles_.find(job);
    if (handle == openHandles_.end() || handle->second != "job") return fail(6);  // ERROR_INVALID_HANDLE
    if (list.ids.empty()) return fail(24);                                       // ERROR_BAD_LENGTH
    list.active = list.listed = 0;
    for (const Process* process : processes_) {
        if (process->job != job || process->ended) continue;
        if (list.listed < list.ids.size()) list.ids[list.listed++] = process->pid;
        ++list.active;
    }
    return list.listed == list.active || fail(platform::kErrorMoreData);
}

// ---- named objects ----

std::uint32_t Desktop::createNamed(const std::string& name, bool isEvent, bool& existed) {
    auto found = namedObjects_.find(name);
    existed = found != namedObjects_.end();
    if (existed && found->second.isEvent != isEvent) {
        fail(kInvalidHandle);
        return 0;
    }
    NamedObject& object = namedObjects_[name];
    object.isEvent = isEvent;
    ++object.holders;
    const std::uint32_t handle = newHandle(isEvent ? "event" : "mutex");
    namedHandles_[handle] = name;
    return handle;
}

std::uint32_t Desktop::openMutex(const std::string& name) {
    auto found = namedObjects_.find(name);
    if (found == namedObjects_.end() || found->second.isEvent) {
        fail(kFileNotFound);
        return 0;
    }
    ++found->second.holders;
    const std::uint32_t handle = newHandle("mutex");
    namedHandles_[handle] = name;
    return handle;
}

bool Desktop::setEvent(std::uint32_t handle) {
    auto name = namedHandles_.find(handle);
    if (name == namedHandles_.end() || !namedObjects_[name->second].isEvent) return fail(kInvalidHandle);
    namedObjects_[name->second].signalled = true;
    endProcessesWaitingFor(name->second);
    return true;
}

Desktop& Desktop::mutexHeldElsewhere(const std::string& name) {
    ++namedObjects_[name].holders;
    return *this;
}

void Desktop::setEventElsewhere(const std::string& name) {
    NamedObject& object = namedObjects_[name];
    if (object.holders == 0) object = {true, false, 1};
    object.signalled = true;
    endProcessesWaitingFor(name);
}

void Desktop::endProcessesWaitingFor(const std::string& event) {
    constexpr std::int64_t kCycleMs = 11;
    for (Process* process : processes_) {
        const std::string& prefix = programs_[process->path].endsOnEventPrefix;
        if (process->ended || prefix.empty() || event != prefix + std::to_string(process->pid)) continue;
        at(clockMs_ + kCycleMs, [this, process] {
            if (!process->ended) endProcess(*process);
        });
    }
}

// ---- waits, the timer and handles ----

// Returns at once for what is signalled already, the handles before the queue.
// Otherwise the clock runs, action by action, until one of the handles is signalled,
// the queue gets something, or the time is up.
std::uint32_t Desktop::waitForObjects(const std::uint32_t* handles, std::uint32_t count, std::uint32_t ms,
                                      bool queue) {
    auto answer = [&](std::uint32_t& result) {
        for (std::uint32_t i = 0; i < count; ++i) {
            auto name = namedHandles_.find(handles[i]);
            auto change = changeWatches_.find(handles[i]);
            const Process* process = processOf(handles[i]);
            const bool signalled = name != namedHandles_.end()     ? namedObjects_[name->second].signalled
                                   : change != changeWatches_.end() ? change->second.signalled
                                                                    : process != nullptr && process->ended;
            if (signalled) {
                result = platform::kWaitObject0 + i;
                return true;
            }
        }
        if (queue && anythingForTheQueue()) {
            result = platform::kWaitObject0 + count;
            return true;
        }
        return false;
    };
    std::int64_t until = clockMs_ + ms;
    for (std::uint32_t i = 0; i < count; ++i) {
        const Process* process = processOf(handles[i]);
        if (process == nullptr && namedHandles_.count(handles[i]) == 0 && changeWatches_.count(handles[i]) == 0) {
            fail(kInvalidHandle);
            return 0xFFFFFFFFu;  // WAIT_FAILED
        }
        if (process != nullptr && !process->ended && !process->suspended) {
            until = std::min(until, std::max(process->endMs, clockMs_));
        }
    }
    std::uint32_t result;
    if (answer(result)) return result;
    do {
        const std::int64_t next = actions_.empty() ? until : std::min(until, actions_.begin()->first);
        advanceTo(next);
        if (answer(result)) return result;
    } while (clockMs_ < until);
    return platform::kWaitTimeout;
}

void Desktop::timerPeriod(bool begin, std::uint32_t period) {
    timerPeriodCalls_.push_back((begin ? "begin " : "end ") + std::to_string(period));
}

bool Desktop::closeHandle(std::uint32_t handle) {
    closedHandles_.push_back(handle);
    openedProcesses_.erase(handle);
    auto name = namedHandles_.find(handle);
    if (name != namedHandles_.end()) {
        if (--namedObjects_[name->second].holders == 0) namedObjects_.erase(name->second);
        namedHandles_.erase(name);
    }
    auto file = openFiles_.find(handle);
    if (file != openFiles_.end()) {
        delete file->second;
        openFiles_.erase(file);
    }
    return openHandles_.erase(handle) == 1;
}

}  // namespace fake

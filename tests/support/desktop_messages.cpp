// Messages between the launcher's windows and other programs', and the events of
// windows being created, on the simulated desktop.
#include <algorithm>
#include <cctype>

#include "tests/support/desktop_records.h"
#include "tests/support/fake_desktop.h"

namespace fake {

namespace {

bool SameClassName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return std::tolower(x) == std::tolower(y); });
}

}  // namespace

WindowHandle Desktop::findWindowOfClass(const std::string& name) const {
    for (const Window* window : zOrder_) {
        if (SameClassName(window->className, name)) return window->handle;
    }
    return 0;
}

bool Desktop::setWindowText(WindowHandle handle, const std::string& text) {
    Window* window = find(handle);
    if (window == nullptr) return fail(kInvalidWindowHandle);
    window->title = text;
    return true;
}

// ---- window-creation events ----

std::uint32_t Desktop::setCreationHook() {
    hook_ = newHandle("hook");
    return hook_;
}

bool Desktop::unhook(std::uint32_t hook) {
    if (hook == 0 || hook != hook_) return fail(kInvalidHandle);
    openHandles_.erase(hook_);
    hook_ = 0;
    createdPending_.clear();
    return true;
}

bool Desktop::takeCreated(WindowHandle& window) {
    if (createdNoted_.empty()) return false;
    window = createdNoted_.front();
    createdNoted_.erase(createdNoted_.begin());
    return true;
}

// ---- messages between windows ----

bool Desktop::registerClass(const std::string& name, platform::WindowProcedure procedure) {
    if (!registerClass(name, 0u)) return false;
    procedures_[name] = procedure;
    return true;
}

void Desktop::sendCopyDataElsewhere(WindowHandle window, std::uintptr_t kind, std::string bytes) {
    sentToLauncher_.push_back({window, kind, std::move(bytes)});
}

void Desktop::postElsewhere(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    queue_.push_back({window, message, wParam, lParam, static_cast<std::uint32_t>(clockMs_), {}});
}

bool Desktop::callProcedure(const platform::WindowMessage& message) {
    const Window* window = find(message.window);
    if (window == nullptr || window->pid != kLauncherPid) return false;
    auto procedure = procedures_.find(window->className);
    std::intptr_t result = 0;
    return procedure != procedures_.end() && procedure->second(message, result);
}

void Desktop::dispatch(const platform::QueuedMessage& queued) {
    const platform::WindowMessage message{queued.window, queued.message, queued.wParam, queued.lParam, 0, {}};
    if (callProcedure(message)) return;
    const Window* window = find(queued.window);
    if (queued.message == platform::kWmClose && window != nullptr && window->pid == kLauncherPid) {
        destroyWindow(queued.window);
    }
}

// A window of the launcher's gets the message in its queue; another program's is recorded.
bool Desktop::postMessage(WindowHandle handle, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    const Window* window = find(handle);
    if (window == nullptr) return fail(kInvalidWindowHandle);
    if (window->pid == kLauncherPid) {
        queue_.push_back({handle, message, wParam, lParam, static_cast<std::uint32_t>(clockMs_), {}});
        return true;
    }
    messagesToOthers_.push_back({handle, message, 0, {}});
    for (Process* process : processes_) {
        if (process->pid != window->pid || process->ended || message != platform::kWmClose) continue;
        if (programs_[process->path].endsOnClose) endProcess(*process);
    }
    return true;
}

// Sent within the launcher's own thread, the procedure is called at once.
bool Desktop::sendCopyData(WindowHandle handle, std::uintptr_t kind, const std::string& bytes) {
    const Window* window = find(handle);
    if (window == nullptr) return fail(kInvalidWindowHandle);
    if (window->pid == kLauncherPid) {
        callProcedure({handle, platform::kWmCopyData, 0, 0, kind, bytes});
        return true;
    }
    messagesToOthers_.push_back({handle, platform::kWmCopyData, kind, bytes});
    return true;
}

void Desktop::deliverSentAndEvents() {
    std::vector<SentMessage> sent;
    sent.swap(sentToLauncher_);
    for (const SentMessage& message : sent) {
        callProcedure({message.window, platform::kWmCopyData, 0, 0, message.kind, message.bytes});
    }
    createdNoted_.insert(createdNoted_.end(), createdPending_.begin(), createdPending_.end());
    createdPending_.clear();
}

bool Desktop::anythingForTheQueue() const {
    return !queue_.empty() || !sentToLauncher_.empty() || !createdPending_.empty();
}

}  // namespace fake

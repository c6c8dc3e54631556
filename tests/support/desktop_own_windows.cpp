// The launcher's own windows on the simulated desktop, with their classes and brushes.
#include "tests/support/fake_desktop.h"

#include <stdexcept>

#include "tests/support/desktop_records.h"

namespace fake {

std::uint32_t Desktop::createBrush(std::uint32_t colorRef) {
    const std::uint32_t handle = nextHandle_;
    nextHandle_ += 4;
    brushes_[handle] = colorRef;
    return handle;
}

bool Desktop::deleteObject(std::uint32_t object) { return brushes_.erase(object) == 1; }

bool Desktop::registerClass(const std::string& name, std::uint32_t brush) {
    if (classes_.count(name) != 0) return fail(1410);  // ERROR_CLASS_ALREADY_EXISTS
    classes_[name] = brush;
    return true;
}

// As the system refuses to unregister a class while a window of it exists.
bool Desktop::unregisterClass(const std::string& name) {
    for (const auto& entry : windows_) {
        if (entry.second->pid == kLauncherPid && entry.second->className == name) return fail(1412);
    }
    procedures_.erase(name);
    return classes_.erase(name) == 1 || fail(1411);  // ERROR_CLASS_HAS_WINDOWS, ERROR_CLASS_DOES_NOT_EXIST
}

WindowHandle Desktop::createOwnWindow(std::uint32_t exStyle, const std::string& className, const std::string& title,
                                      std::uint32_t style, const Rect& rect) {
    if (classes_.count(className) == 0) {
        fail(1407);  // ERROR_CANNOT_FIND_WND_CLASS
        return 0;
    }
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const WindowHandle handle = createWindow(
        aWindow().withTitle(title).at(rect.left, rect.top, rect.right, rect.bottom).client(width, height)
            .ofClass(className).styles(style, exStyle),
        kLauncherPid);
    return handle;
}

bool Desktop::destroyOwnWindow(WindowHandle handle) {
    const Window* window = find(handle);
    if (window == nullptr || window->pid != kLauncherPid) return fail(5);  // ERROR_ACCESS_DENIED
    destroyWindow(handle);
    return true;
}

std::vector<WindowHandle> Desktop::launcherWindows() const {
    std::vector<WindowHandle> own;
    for (const Window* window : zOrder_) {
        if (window->pid == kLauncherPid) own.push_back(window->handle);
    }
    return own;
}

std::uint32_t Desktop::brushColourOf(WindowHandle handle) const {
    const Window* window = find(handle);
    if (window == nullptr) throw std::logic_error("no such window");
    const auto brush = brushes_.find(classes_.at(window->className));
    if (brush == brushes_.end()) throw std::logic_error("the class brush is deleted");
    return brush->second;
}

}  // namespace fake

#include "play/play_rules.h"

#include "platform/windows.h"

namespace {

bool Active(const WindowView& view, bool paused) { return view.inFront && !view.minimised && !paused; }

}  // namespace

bool WantedClip(const WindowView& view, bool paused, platform::Rect& clip) {
    if (!Active(view, paused) || view.client.right <= view.client.left || view.client.bottom <= view.client.top) {
        return false;
    }
    clip = view.client;
    return true;
}

bool WantedTopmost(const WindowView& view, bool paused) { return Active(view, paused); }

ClipMove DecideClip(bool wanted, const platform::Rect& clip, const platform::Rect& current, const ClipMemory& ours) {
    const bool oursInForce = ours.set && current == ours.inForce;
    if (wanted) return oursInForce && ours.asked == clip ? ClipMove::Keep : ClipMove::Apply;
    if (oursInForce) return ClipMove::Release;
    return ours.set ? ClipMove::Forget : ClipMove::Keep;
}

TopmostMove DecideTopmost(bool wanted, bool topmost, bool made) {
    if (wanted) return topmost ? TopmostMove::Keep : TopmostMove::Raise;
    if (!topmost) return made ? TopmostMove::Forget : TopmostMove::Keep;
    return made ? TopmostMove::Lower : TopmostMove::Keep;
}

bool WantedSurround(bool placed, std::uint32_t style, bool paused) {
    return placed && !paused && (style & (platform::kWsVisible | platform::kWsMinimize)) == platform::kWsVisible;
}

bool SurroundStyleToRead(bool up, bool beneath, bool outerChanged, int cyclesSinceRead) {
    return !up || !beneath || outerChanged || cyclesSinceRead >= kSurroundStyleEvery;
}

SurroundMove DecideSurround(bool wanted, bool up, bool beneath, bool sameDisplay) {
    if (!wanted) return up ? SurroundMove::Hide : SurroundMove::Keep;
    if (!up) return SurroundMove::Show;
    return beneath && sameDisplay ? SurroundMove::Keep : SurroundMove::Place;
}

#include "ui/app/LockKeyState.h"

#include <QGuiApplication>

#ifdef QM_HAVE_X11
#include <X11/XKBlib.h>
#endif

#ifdef QM_HAVE_X11
namespace {

bool IndicatorOn(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None) {
        return false;
    }
    Bool on = False;
    return XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr) && on;
}

}  // namespace
#endif

std::optional<LockKeys> QueryLockKeys() {
#ifdef QM_HAVE_X11
    auto* x11 = qGuiApp == nullptr ? nullptr : qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 == nullptr ? nullptr : x11->display();
    if (display != nullptr) {
        return LockKeys{IndicatorOn(display, "Caps Lock"), IndicatorOn(display, "Num Lock"),
                        IndicatorOn(display, "Scroll Lock")};
    }
#endif
    return std::nullopt;
}

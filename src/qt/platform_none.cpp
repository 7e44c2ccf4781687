// Systems without a supported window protocol (Wayland, macOS, the offscreen platform): the
// always-on-top band and activation by title are not available, and nothing happens.
#include "platform.h"

namespace quillon::qt {
namespace {

class NoPlatform : public Platform {
public:
    void SetTopmost(QWidget&, bool) override {}
    void ActivateWindowByTitle(const QString&) override {}
};

}  // namespace

std::unique_ptr<Platform> SystemPlatform() {
    return std::make_unique<NoPlatform>();
}

}  // namespace quillon::qt

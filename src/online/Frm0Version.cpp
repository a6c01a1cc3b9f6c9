// The version check: asks the maker's server for the latest version, shows
// the answer in the status panel and the About page, and announces a version
// that differs from the running one in the notice.
#include "core/Frm0.h"
#include "online/FrmPopUp.h"
#include "online/Server.h"
#include "online/TextRules.h"

namespace tavlo::core {

namespace {

// A usable reply has 1 to 10 characters, taken exactly as they arrive.
constexpr std::size_t kLongestVersionReply = 10;

// Ends a check on every way out: no longer busy, the default pointer.
class CheckEnd {
public:
    explicit CheckEnd(short& busy) : busy_(busy) {}
    ~CheckEnd() {
        busy_ = rt::False;
        rt::app().setScreenPointer(rt::PointerDefault);
    }
    CheckEnd(const CheckEnd&) = delete;
    CheckEnd& operator=(const CheckEnd&) = delete;

private:
    short& busy_;
};

}  // namespace

// A failed request (no connection, an error status, no answer in time) ends
// like an empty reply: the status text is cleared. The windows take events
// while the request waits, a second click among them, and may unload this
// one: its controls are looked up again once the reply is in. A click while
// any request waits, the tell-a-friend one or a check started before this
// window was loaded again, does nothing.
void Frm0::CheckLatestVersion() {
    if (VersionCheckBusy == rt::True || online::StillExecuting()) return;
    c("picCncMsg").setVisible(false);
    c("lblCncMsg").setCaption("Checking for new version...");
    c("picCncMsg").setVisible(true);
    VersionCheckBusy = rt::True;
    CheckEnd end(VersionCheckBusy);
    const std::string reply = online::Fetch(online::LatestVersionUrl()).value_or("");
    const std::string running = rt::app().version.text();
    auto& status = c("lblCncMsg");
    if (reply.empty() || online::CharCount(reply) > kLongestVersionReply) {
        status.setCaption("");
    } else if (reply != running) {
        status.setCaption("Version Update : Available " + reply);
        ShowNewVersionPopup();
        c("lblNewVer").setCaption("Available " + reply);
    } else {
        status.setCaption(std::string("Version Update : ") + "Up to date");
        c("lblNewVer").setCaption("");
    }
}

// A notice already open is only shown again: its slide and countdown go on.
void Frm0::ShowNewVersionPopup() {
    auto& notice = online::frmPopUp();
    notice.setPicture(notice.c("imgNwVer").picture());
    notice.c("lblUpdtd").setVisible(false);
    notice.c("lblDnLnk").setVisible(true);
    notice.c("lblAvlbl1").setVisible(true);
    notice.c("lblAvlbl3").setVisible(true);
    notice.show();
}

}  // namespace tavlo::core

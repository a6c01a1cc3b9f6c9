// The window model run headless: one window with a control of every kind and
// a view that logs what reaches it, so that each case reads whole sequences.
#include <gtest/gtest.h>

#include "platform/fake/HeadlessApp.h"
#include "runtime/ErrorReport.h"

namespace tavlo::rt {
namespace {

using Log = std::vector<std::string>;
struct Num {  // any integer, handles and flags included, compared as a number
    template <class T> Num(T n) : v(static_cast<long long>(n)) {}
    bool operator==(const Num&) const = default;
    friend std::ostream& operator<<(std::ostream& os, Num n) { return os << n.v; }
    long long v;
};
using Ints = std::vector<Num>;
const char* const kProps[] = {"Geometry", "Visible", "Enabled", "Text", "ForeColor", "BackColor", "Font", "ToolTip",
                              "MousePointer", "Picture", "Value", "Line", "Grid", "Style", "Timer", "Focus"};

struct LogView : FormView, ControlView {
    explicit LogView(Log& log) : log(log) {}
    void changed(Form&, Prop p) override { log.push_back(std::string("form ") + kProps[int(p)]); }
    void changed(Control& c, Prop p) override { log.push_back(c.name() + " " + kProps[int(p)]); }
    Handle hWnd() const override { return 77; }
    Handle controlHWnd(const Control& c) const override { return 100 + c.name().size(); }
    void setFocus(Control& c) override { log.push_back("focus " + c.name()); }
    Log& log;
};

class Sample : public Form {
public:
    Sample() : Form("frmSample") {}
    FormDesign look{.caption = "Sample", .width = 6000, .height = 4000};
    Log log;
    Twips minWidth = 0;  // the Resize handler widens the window up to it

protected:
    FormDesign formDesign() override { return look; }
    void buildControls() override {
        add({.kind = Kind::TextBox, .name = "txt", .text = "Text1"});
        add({.kind = Kind::Label, .name = "lbl", .left = 100, .top = 200, .width = 300, .height = 200});
        add({.kind = Kind::Label, .name = "fit", .width = 5, .text = "Go", .picture = "art", .autoSize = true});
        add({.kind = Kind::CheckBox, .name = "chk", .value = 1});
        add({.kind = Kind::Button, .name = "cmd"});
        add({.kind = Kind::Option, .name = "optA", .value = True});
        add({.kind = Kind::Option, .name = "optB"});
        add({.kind = Kind::Option, .name = "optC", .container = "pic", .value = True});
        add({.kind = Kind::DriveList, .name = "drv"});
        addTimer("tmr", 30, true).onTimer = [this] { log.push_back("tick tmr"); };
        addTimer("tmrOff", 20, false).onTimer = [this] { log.push_back("tick tmrOff"); };
        addGrid({.name = "grd", .width = 4000, .height = 2400});
        for (auto& each : controls()) {  // reached by name while the window loads
            Control& c = this->c(each->name());
            c.onClick = [this, &c] { log.push_back("click " + c.name()); };
            c.onChange = [this, &c] { log.push_back("change " + c.name()); };
            c.onResize = [this, &c] { log.push_back("resized " + c.name()); };
        }
    }
    void onLoad() override { log.push_back("load"); }
    void onUnload() override { log.push_back("unload"); }
    void onResize() override {
        log.push_back("resize " + std::to_string(width()));
        setWidth(std::max(width(), minWidth));
    }
};

struct Step {
    std::function<void()> act;
    Log seen;  // what the step logged, then what the probe read
};

struct RuntimeTest : ::testing::Test {
    platform::fake::HeadlessApp h;
    Sample& f() { return h.app().instance<Sample>(); }
    void watch() {  // the loaded window and its controls get the logging view
        f().load();
        f().setView(std::make_unique<LogView>(f().log));
        for (auto& c : f().controls()) c->setView(static_cast<LogView*>(f().view()));
    }
    std::string place() {
        auto n = [](Twips v) { return std::to_string(v); };
        return n(f().left()) + "," + n(f().top()) + " " + n(f().width()) + "x" + n(f().height()) + " " +
               n(f().scaleWidth()) + "x" + n(f().scaleHeight());
    }
    void expectSteps(std::initializer_list<Step> steps, std::function<std::string()> probe = {}) {
        for (const auto& step : steps) {
            f().log.clear();
            step.act();
            if (probe) f().log.push_back(probe());
            EXPECT_EQ(f().log, step.seen) << "step " << &step - steps.begin();
        }
    }
};

TEST_F(RuntimeTest, LoadPlacesTheWindowAndAReloadStartsFromTheDesign) {
    auto look = [&](FormDesign d) { return [&, d] { f().unload(); f().look = d; }; };
    expectSteps({{look({.width = 6000, .height = 4000}), {"load", "4680,3760 6000x4000 6000x4000"}},
                 {look({.width = 600, .height = 400, .left = 0, .top = 200}),
                  {"unload", "load", "0,200 600x400 600x400"}},
                 {look({.caption = "Sample", .maximized = true, .icon = "ico"}),
                  {"unload", "load", "0,0 15360x11520 15360x11520"}}},
                [&] { return place(); });
    f().log.clear();
    f().c("lbl").setCaption("7");
    f().setCaption("Other");
    f().setMousePointer(PointerHourglass);
    f().show();
    f().show();
    h.ui.onModal = [](Form& m) { EXPECT_TRUE(m.modal() && m.visible()); m.unload(); EXPECT_FALSE(m.modal()); };
    f().show(true);
    f().hide();
    f().sizedByUser(1, 1);
    f().movedByUser(1, 1);
    EXPECT_FALSE(f().loaded() || f().visible() || f().modal() || f().has("lbl"));
    EXPECT_EQ(f().c("lbl").caption() + f().caption() + f().icon().resource + std::to_string(f().mousePointer()),
              "Sampleico0");
    f().show();
    EXPECT_EQ(f().log, (Log{"resize 15360", "unload", "load", "resize 15360"}));
    EXPECT_EQ(h.ui.dialogs.back().kind + " " + h.ui.dialogs.back().prompt, "modal frmSample");
    EXPECT_EQ((Ints{f().hWnd(), f().c("fit").width(), f().c("fit").height(), f().c("fit").picture().handle,
                    f().c("lbl").picture().handle}), (Ints{0, 165, 195, 0x1006, 0}));
    EXPECT_THROW(f().setWidth(-1), Error);
    EXPECT_THROW(f().c("lbl").setHeight(-1), Error);
    f().unload();
    h.ui.windowHandles = true;
    EXPECT_EQ((Ints{f().hWnd(), f().c("txt").hWnd(), f().c("lbl").hWnd()}), (Ints{0x10000, 0x10001, 0x10002}));
    f().unload();
    EXPECT_EQ(f().hWnd(), 0x20000);
}

// Size changes raise Resize once the window was shown; Resize may resize again.
TEST_F(RuntimeTest, EveryWindowChangeReachesTheView) {
    watch();
    Sample& s = f();
    expectSteps({{[&] { s.setWidth(7000); }, {"form Geometry", "4680,3760 7000x4000 7000x4000"}},
                 {[&] { s.show(); }, {"form Visible", "resize 7000", "4680,3760 7000x4000 7000x4000"}},
                 {[&] { s.setLeft(10); s.setTop(20); s.move(10, 20, 7000, 4000); },
                  {"form Geometry", "form Geometry", "10,20 7000x4000 7000x4000"}},
                 {[&] { s.setHeight(5000); }, {"form Geometry", "resize 7000", "10,20 7000x5000 7000x5000"}},
                 {[&] { s.sizedByUser(8000, 5000); s.sizedByUser(8000, 5000); },
                  {"resize 8000", "10,20 8000x5000 7000x5000"}},
                 {[&] { s.movedByUser(1, 2); s.setClientSize(100, 200); }, {"1,2 8000x5000 100x200"}},
                 {[&] { s.minWidth = 9000; s.setWidth(8500); },
                  {"form Geometry", "resize 8500", "form Geometry", "resize 9000", "1,2 9000x5000 1100x200"}},
                 {[&] { s.hide(); s.show(); s.setCaption("New"); s.setMousePointer(11); s.setIcon({5, "x"}); },
                  {"form Visible", "form Visible", "form Text", "form MousePointer", "form Picture",
                   "1,2 9000x5000 1100x200"}}},
                [&] { return place(); });
    EXPECT_EQ((Ints{s.hWnd(), s.c("lbl").hWnd(), s.message(1, 2, 3), (s.unload(), s.hWnd())}), (Ints{77, 103, 0, 0}));
}

// Text boxes and drive lists raise Change; check boxes, options and buttons
// raise Click when code sets their value; auto-sized labels fit their text.
TEST_F(RuntimeTest, EveryControlChangeReachesTheViewAndRaisesItsEvents) {
    watch();
    Control &l = f().c("lbl"), &fit = f().c("fit"), &a = f().c("optA"), &b = f().c("optB"), &chk = f().c("chk");
    expectSteps({
        {[&] { l.setText("7"); l.setText("7"); l.append("8"); }, {"lbl Text", "lbl Text"}},
        {[&] { l.setForeColor(255); l.setBackColor(0xE0E0E0); l.setToolTip("tip"); },
         {"lbl ForeColor", "lbl BackColor", "lbl ToolTip"}},
        {[&] { l.setFont({.name = "Arial"}); l.setFontBold(true); l.setFontUnderline(true); },
         {"lbl Font", "lbl Font", "lbl Font"}},
        {[&] { l.setVisible(false); l.setVisible(false); l.setEnabled(false); l.setEnabled(false); },
         {"lbl Visible", "lbl Enabled"}},
        {[&] { l.move(100, 200, 300, 200); l.setLeft(1); l.setTop(2); l.setWidth(3); l.setHeight(4); },
         {"lbl Geometry", "lbl Geometry", "lbl Geometry", "resized lbl", "lbl Geometry", "resized lbl"}},
        {[&] { l.refresh(); l.setFocus(); l.setValue(1); l.setLine(5, 6, 30, 40); l.setMousePointer(15); },
         {"lbl Text", "focus lbl", "lbl Value", "lbl Line", "lbl MousePointer"}},
        {[&] { fit.setCaption("Going"); }, {"fit Geometry", "resized fit", "fit Text"}},
        {[&] { fit.setFontBold(true); fit.setFontUnderline(true); },
         {"fit Geometry", "resized fit", "fit Font", "fit Font"}},
        {[&] { fit.setFont({.size = 16}); fit.setPicture({5, "x"}); },
         {"fit Geometry", "resized fit", "fit Font", "fit Picture"}},
        {[&] { fit.setCaption("two\r\nlines"); }, {"fit Geometry", "resized fit", "fit Text"}},
        {[&] { f().c("txt").append("."); f().c("drv").setText("e:"); },
         {"txt Text", "change txt", "drv Text", "change drv"}},
        {[&] { chk.setValue(1); chk.setValue(0); chk.setValue(2); },
         {"chk Value", "click chk", "chk Value", "click chk"}},
        {[&] { f().c("cmd").setValue(True); f().c("cmd").setValue(False); }, {"click cmd"}},
        {[&] { b.setValue(True); b.setValue(True); }, {"optB Value", "optA Value", "click optB"}},
        {[&] { a.setValue(False); a.setValue(True); }, {"optA Value", "optB Value", "click optA"}}});
    EXPECT_EQ(l.caption() + " " + l.toolTip() + " " + l.font().name, "78 tip Arial");
    EXPECT_EQ((Ints{l.foreColor(), l.backColor(), l.font().bold, l.font().underline, l.mousePointer(), l.visible(),
                    l.enabled(), l.value(), l.x1(), l.y1(), l.x2(), l.y2(), l.width(), l.height()}),
              (Ints{255, 0xE0E0E0, 1, 1, 15, 0, 0, 1, 5, 6, 30, 40, 3, 4}));
    EXPECT_EQ((Ints{fit.width(), fit.height(), fit.picture().handle, a.value(), b.value(), f().c("optC").value(),
                    f().c("cmd").value(), chk.value()}),
              (Ints{800, 755, 5, True, False, True, 0, 2}));
}

// Cells, the current cell and the first shown row stay inside the grid; a
// column outside it is refused like a row outside it.
TEST_F(RuntimeTest, GridKeepsItsCellsAndRowsInRange) {
    watch();
    Grid& g = f().grid("grd");
    g.onScroll = [&] { f().log.push_back("scroll"); };
    auto state = [&] {  // rows x cols, fixed rows, top row, current cell
        return std::to_string(g.rows()) + "x" + std::to_string(g.cols()) + " fixed " + std::to_string(g.fixedRows()) +
               " top " + std::to_string(g.topRow()) + " at " + std::to_string(g.row()) + "," + std::to_string(g.col());
    };
    expectSteps({{[] {}, {"2x2 fixed 1 top 1 at 1,1"}},
                 {[&] { g.setCols(7); g.setRows(20); }, {"grd Grid", "grd Grid", "20x7 fixed 1 top 1 at 1,1"}},
                 {[&] { g.setRow(19); g.setCol(6); g.setTopRow(50); g.setTopRow(19); },
                  {"grd Grid", "scroll", "20x7 fixed 1 top 19 at 19,6"}},
                 {[&] { g.setRows(5); g.setCols(3); }, {"grd Grid", "grd Grid", "5x3 fixed 1 top 4 at 4,2"}},
                 {[&] { g.setTopRow(0); }, {"grd Grid", "scroll", "5x3 fixed 1 top 1 at 4,2"}},
                 {[&] { g.setTopRow(4); g.setRows(1); }, {"grd Grid", "scroll", "grd Grid", "1x3 fixed 1 top 1 at 0,2"}},
                 {[&] { g.setFixedRows(0); }, {"grd Grid", "1x3 fixed 0 top 0 at 0,2"}},  // the lone row shown
                 {[&] { g.setFixedRows(1); g.setRows(30); g.setFixedRows(2); },
                  {"grd Grid", "grd Grid", "grd Grid", "30x3 fixed 2 top 2 at 1,2"}},
                 {[&] { g.clickCell(12, 1); g.clickCell(1, 3); g.clickCell(30, -1); },
                  {"click grd", "click grd", "click grd", "30x3 fixed 2 top 2 at 12,1"}}},
                state);
    g.setColWidth(1, -5);
    g.setColWidth(2, 500);
    Ints geometry{g.mouseRow(), g.mouseCol(), g.colWidth(0),   g.colWidth(1),
                  g.colPos(2),   g.colPos(9),   g.visibleRows(), g.cellTop()};
    for (int row : {1, 2}) geometry.push_back((g.setTopRow(10), g.setRow(row), g.cellTop()));
    geometry.push_back((g.setHeight(100), g.visibleRows()));
    EXPECT_EQ(geometry, (Ints{30, -1, 960, 0, 960, 1460, 8, 2880, 240, -1440, 0}));
    g.setTextMatrix(29, 2, "E:\\a.exe");
    EXPECT_EQ((g.setRows(3), g.setRows(30), g.textMatrix(29, 2)), "");
    std::string refused;  // -1, 0 and one past the last row or column, with 3 columns and 30 rows
    for (const auto& call : std::initializer_list<std::function<void()>>{
            [&] { g.setCol(-1); }, [&] { g.setCol(0); }, [&] { g.setCol(3); }, [&] { g.setRow(-1); },
            [&] { g.setRow(0); }, [&] { g.setRow(30); }, [&] { g.colWidth(-1); }, [&] { g.colWidth(0); },
            [&] { g.colWidth(3); }, [&] { g.setColWidth(-1, 9); }, [&] { g.setColWidth(0, 960); },
            [&] { g.setColWidth(3, 9); }, [&] { g.textMatrix(-1, 0); }, [&] { g.textMatrix(0, 0); },
            [&] { g.textMatrix(30, 0); }, [&] { g.textMatrix(0, -1); }, [&] { g.textMatrix(0, 3); },
            [&] { g.setTextMatrix(-1, 0, ""); }, [&] { g.setTextMatrix(29, 2, "x"); },
            [&] { g.setTextMatrix(30, 0, ""); }, [&] { g.setTextMatrix(0, -1, ""); }, [&] { g.setTextMatrix(0, 3, ""); },
            [&] { g.setCols(0); }, [&] { g.setCols(1); g.setCols(3); }, [&] { g.setRows(1); },
            [&] { g.setFixedRows(31); }, [&] { g.setFixedRows(-1); }, [&] { g.setFixedRows(30); },
            [&] { g.setFixedRows(0); g.setRows(0); }, [&] { g.setRows(-1); }}) {
        try {
            call();
            refused += '.';
        } catch (const Error&) {
            refused += 'x';
        }
    }
    EXPECT_EQ(refused, "x.xx.xx.xx.xx.xxxx.xxxx.xxx..x");
}

// Timers tick in time order (the earlier start first on a tie) while enabled
// with an interval; a tick may advance the clock itself, never backwards.
TEST_F(RuntimeTest, TimersTickInTimeOrderWhileEnabled) {
    Timer &t = f().timer("tmr"), &off = f().timer("tmrOff");
    auto after = [&](long long ms) { return [&, ms] { h.clock.advance(ms); }; };
    EXPECT_EQ((Ints{h.clock.running(t), h.clock.running(off)}), (Ints{1, 0}));
    expectSteps({{after(29), {}},
                 {after(1), {"tick tmr"}},
                 {[&] { off.setEnabled(true); h.clock.advance(30); }, {"tick tmrOff", "tick tmr"}},
                 {[&] { t.setInterval(20); off.setInterval(20); h.clock.advance(20); }, {"tick tmr", "tick tmrOff"}},
                 {[&] { off.setInterval(20); t.setInterval(20); h.clock.advance(40); },
                  {"tick tmrOff", "tick tmr", "tick tmrOff", "tick tmr"}},
                 {[&] { t.setInterval(0); off.setEnabled(false); t.tick(); off.tick(); h.clock.advance(100); }, {}},
                 {[&] { t.onTimer = [&] { f().log.push_back("tick"); h.clock.advance(5); }; }, {}},
                 {[&] { t.setInterval(10); h.clock.advance(10); }, {"tick"}},
                 {[&] { f().unload(); h.clock.advance(100); }, {"unload"}}});
    EXPECT_EQ(h.clock.now(), 335);
}

// Without a scripted answer a box takes its first button.
TEST_F(RuntimeTest, BoxesAreAnsweredWithTheirFirstButton) {
    Ints answers;
    for (int style : {0, 1, 2, 3, 4, 18, 48, 52, 64, 67}) answers.push_back(h.app().msgBox("?", style));
    EXPECT_EQ(answers, (Ints{Ok, Ok, Abort, Yes, Yes, Abort, Ok, Yes, Ok, Yes}));
}

// A failing step: Retry runs it again, Ignore goes on, Abort resets the pointer and skips the rest.
TEST_F(RuntimeTest, ErrorReportRetriesGoesOnOrAbortsAsAnswered) {
    using Answers = std::vector<int>;
    const std::tuple<Answers, std::string, Answers> cases[] = {{{Retry, Ignore}, "1 1 2 ", {}},
                                                               {{Abort}, "1 ", {PointerDefault}}};
    for (auto& [answers, expected, pointers] : cases) {
        h.ui.answers.assign(answers.begin(), answers.end());
        h.ui.pointers.clear();
        ErrorReport report;
        std::string ran;
        for (int n : {1, 2}) report.step([&] {
            ran += std::to_string(n) + " ";
            if (n == 1) throw Error("Disk full");
        });
        EXPECT_EQ(ran, expected);
        EXPECT_EQ(h.ui.pointers, pointers);
        EXPECT_EQ(h.ui.prompts(), Log(answers.size(), "Disk full"));
        EXPECT_EQ(h.ui.dialogs.back().style, AbortRetryIgnore | Critical);
        h.ui.dialogs.clear();
    }
}

}  // namespace
}  // namespace tavlo::rt

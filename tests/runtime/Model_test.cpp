// The window model run headless: one window with a control of every kind and
// a view that logs what reaches it, so that each case reads whole sequences.
#include <gtest/gtest.h>

#include "platform/fake/HeadlessApp.h"
#include "runtime/ErrorReport.h"
#include "runtime/WindowCalls.h"

namespace tavlo::rt {
namespace {

using Log = std::vector<std::string>;
using Ints = std::vector<long long>;
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
    std::function<void()> unloading;

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
        add({.kind = Kind::FolderList, .name = "dir"});
        addTimer("tmr", 30, true);
        addTimer("tmrOff", 20, false);
        addGrid({.name = "grd", .width = 4000, .height = 2400});
        for (auto& each : controls()) {  // reached by name while the window loads
            Control& c = this->c(each->name());
            c.onClick = [this, &c] { log.push_back("click " + c.name()); };
            c.onChange = [this, &c] { log.push_back("change " + c.name()); };
            c.onResize = [this, &c] { log.push_back("resized " + c.name()); };
        }
        timer("tmr").onTimer = [this] { log.push_back("tick tmr"); };
        timer("tmrOff").onTimer = [this] { log.push_back("tick tmrOff"); };
    }
    void onLoad() override { log.push_back("load"); }
    void onUnload() override { log.push_back("unload"), unloading ? unloading() : void(); }
    void onResize() override { log.push_back("resize " + std::to_string(width())), setWidth(std::max(width(), minWidth)); }
};

struct RuntimeTest : ::testing::Test {
    platform::fake::HeadlessApp h;
    Sample& f() { return h.app().instance<Sample>(); }
    Log& watched() {  // the loaded window and its controls get the logging view
        f().load();
        f().setView(std::make_unique<LogView>(f().log));
        for (auto& c : f().controls()) c->setView(static_cast<LogView*>(f().view()));
        f().log.clear();
        return f().log;
    }
    Ints place() { return {f().left(), f().top(), f().width(), f().height(), f().scaleWidth(), f().scaleHeight()}; }
};

TEST_F(RuntimeTest, LoadPlacesTheWindowAndAReloadStartsFromTheDesign) {
    const struct { FormDesign look; Ints place; } cases[] = {
        {{.width = 6000, .height = 4000}, {4680, 3760, 6000, 4000, 6000, 4000}},
        {{.width = 600, .height = 400, .left = 0, .top = 200}, {0, 200, 600, 400, 600, 400}},
        {{.caption = "Sample", .width = 6000, .height = 4000, .maximized = true, .icon = "ico"}, {0, 0, 15360, 11520, 15360, 11520}}};
    for (const auto& c : cases) {
        f().unload();
        f().look = c.look;
        EXPECT_EQ(place(), c.place);
    }
    f().c("lbl").setCaption("7");
    f().setCaption("Other");
    f().setMousePointer(PointerHourglass);
    f().show();
    f().show();
    h.ui.onModal = [](Form& m) { EXPECT_TRUE(m.modal() && m.visible()); m.unload(); };
    f().show(true);
    f().hide();
    f().sizedByUser(1, 1);
    f().movedByUser(1, 1);
    EXPECT_FALSE(f().loaded() || f().visible() || f().modal() || f().has("lbl"));
    EXPECT_EQ(h.ui.dialogs.back().prompt, "frmSample");
    EXPECT_EQ(f().c("lbl").caption() + f().caption() + f().icon().resource + std::to_string(f().mousePointer()), "Sampleico0");
    f().show();
    EXPECT_EQ(f().log, (Log{"load", "unload", "load", "unload", "load", "resize 15360", "unload", "load", "resize 15360"}));
    Sample other;
    for (auto call : std::initializer_list<std::function<void()>>{
             [&] { f().c("nothing"); }, [&] { f().timer("txt"); }, [&] { f().grid("tmr"); },
             [&] { f().adopt(std::make_unique<Control>(other, ControlDesign{})); }})
        EXPECT_THROW(call(), std::logic_error);
    EXPECT_THROW(f().setWidth(-1), Error);
    EXPECT_THROW(f().c("lbl").setHeight(-1), Error);
}

// Size changes raise Resize once the window was shown; Resize may resize again.
TEST_F(RuntimeTest, EveryWindowChangeReachesTheView) {
    Log& seen = watched();
    const struct { std::function<void(Sample&)> act; Log seen; Ints place; } steps[] = {
        {[](Sample& s) { s.setWidth(7000); }, {"form Geometry"}, {4680, 3760, 7000, 4000, 7000, 4000}},
        {[](Sample& s) { s.show(); }, {"form Visible", "resize 7000"}, {4680, 3760, 7000, 4000, 7000, 4000}},
        {[](Sample& s) { s.setLeft(10); s.setTop(20); s.move(10, 20, 7000, 4000); }, {"form Geometry", "form Geometry"},
         {10, 20, 7000, 4000, 7000, 4000}},
        {[](Sample& s) { s.setHeight(5000); }, {"form Geometry", "resize 7000"}, {10, 20, 7000, 5000, 7000, 5000}},
        {[](Sample& s) { s.sizedByUser(8000, 5000); s.sizedByUser(8000, 5000); }, {"resize 8000"},
         {10, 20, 8000, 5000, 7000, 5000}},
        {[](Sample& s) { s.movedByUser(1, 2); s.setClientSize(100, 200); }, {}, {1, 2, 8000, 5000, 100, 200}},
        {[](Sample& s) { s.minWidth = 9000; s.setWidth(8500); },
         {"form Geometry", "resize 8500", "form Geometry", "resize 9000"}, {1, 2, 9000, 5000, 1100, 200}},
        {[](Sample& s) { s.hide(); s.show(); s.setCaption("New"); s.setMousePointer(11); s.setIcon({5, "x"}); },
         {"form Visible", "form Visible", "form Text", "form MousePointer", "form Picture"}, {1, 2, 9000, 5000, 1100, 200}},
    };
    for (const auto& step : steps) {
        seen.clear();
        step.act(f());
        EXPECT_EQ(seen, step.seen) << &step - steps;
        EXPECT_EQ(place(), step.place) << &step - steps;
    }
    EXPECT_EQ((Ints{f().hWnd(), f().c("lbl").hWnd(), f().message(1, 2, 3)}), (Ints{77, 103, 0}));
}

// Text boxes, drive and folder lists raise Change; check boxes, options and
// buttons raise Click when code sets their value.
TEST_F(RuntimeTest, EveryControlChangeReachesTheViewAndRaisesItsEvents) {
    Log& seen = watched();
    const struct { const char* name; std::function<void(Control&)> act; Log seen; } steps[] = {
        {"lbl", [](Control& c) { c.setText("7"); c.setText("7"); c.append("8"); }, {"lbl Text", "lbl Text"}},
        {"lbl", [](Control& c) { c.setForeColor(255); c.setBackColor(0xE0E0E0); c.setToolTip("tip"); },
         {"lbl ForeColor", "lbl BackColor", "lbl ToolTip"}},
        {"lbl", [](Control& c) { c.setFont({.name = "Arial"}); c.setFontBold(true); c.setFontUnderline(true); },
         {"lbl Font", "lbl Font", "lbl Font"}},
        {"lbl", [](Control& c) { c.setVisible(false); c.setVisible(false); c.setEnabled(false); c.setEnabled(false); },
         {"lbl Visible", "lbl Enabled"}},
        {"lbl", [](Control& c) { c.move(100, 200, 300, 200); c.setLeft(1); c.setTop(2); c.setWidth(3); c.setHeight(4); },
         {"lbl Geometry", "lbl Geometry", "lbl Geometry", "resized lbl", "lbl Geometry", "resized lbl"}},
        {"lbl", [](Control& c) { c.refresh(); c.setFocus(); c.setValue(1); c.setLine(5, 6, 30, 40); c.setMousePointer(15); },
         {"lbl Text", "focus lbl", "lbl Value", "lbl Line", "lbl MousePointer"}},
        {"fit", [](Control& c) { c.setCaption("Going"); }, {"fit Geometry", "resized fit", "fit Text"}},
        {"fit", [](Control& c) { c.setFontBold(true); c.setFontUnderline(true); }, {"fit Geometry", "resized fit", "fit Font", "fit Font"}},
        {"fit", [](Control& c) { c.setFont({.size = 16}); c.setPicture({5, "x"}); }, {"fit Geometry", "resized fit", "fit Font", "fit Picture"}},
        {"fit", [](Control& c) { c.setCaption("two\r\nlines"); }, {"fit Geometry", "resized fit", "fit Text"}},
        {"txt", [](Control& c) { c.append("."); }, {"txt Text", "change txt"}},
        {"drv", [](Control& c) { c.setText("e:"); }, {"drv Text", "change drv"}},
        {"dir", [](Control& c) { c.setText("E:\\"); }, {"dir Text", "change dir"}},
        {"chk", [](Control& c) { c.setValue(1); c.setValue(0); c.setValue(2); }, {"chk Value", "click chk", "chk Value", "click chk"}},
        {"cmd", [](Control& c) { c.setValue(True); c.setValue(False); }, {"click cmd"}},
        {"optB", [](Control& c) { c.setValue(True); c.setValue(True); }, {"optB Value", "optA Value", "click optB"}},
        {"optA", [](Control& c) { c.setValue(False); c.setValue(True); }, {"optA Value", "optB Value", "click optA"}},
    };
    for (const auto& step : steps) {
        seen.clear();
        step.act(f().c(step.name));
        EXPECT_EQ(seen, step.seen) << step.name << " at step " << &step - steps;
    }
    const Control& l = f().c("lbl");
    EXPECT_EQ(l.caption() + " " + l.toolTip() + " " + l.font().name, "78 tip Arial");
    EXPECT_EQ((Ints{l.foreColor(), l.backColor(), l.font().bold, l.font().underline, l.mousePointer(), l.visible(),
                    l.enabled(), l.value(), l.x1(), l.y1(), l.x2(), l.y2(), l.width(), l.height()}),
              (Ints{255, 0xE0E0E0, 1, 1, 15, 0, 0, 1, 5, 6, 30, 40, 3, 4}));
    EXPECT_EQ((Ints{f().c("fit").width(), f().c("fit").height(), f().c("fit").picture().handle, f().c("optA").value(),
                    f().c("optB").value(), f().c("optC").value(), f().c("cmd").value(), f().c("chk").value()}),
              (Ints{800, 755, 5, True, False, True, 0, 2}));
}

TEST_F(RuntimeTest, PicturesAndHeadlessHandlesAreNewOnEveryLoad) {
    EXPECT_EQ((Ints{f().c("fit").width(), f().c("fit").height(), f().hWnd(), f().c("fit").picture().handle,
                    f().c("lbl").picture().handle}),
              (Ints{165, 195, 0, 0x1001, 0}));
    f().unload();
    h.ui.windowHandles = true;
    EXPECT_EQ(f().c("fit").picture(), (Picture{0x1002, "art"}));
    EXPECT_EQ((Ints{f().hWnd(), f().c("txt").hWnd(), f().c("lbl").hWnd()}), (Ints{0x10000, 0x10001, 0x10002}));
    f().unload();
    EXPECT_EQ(f().hWnd(), 0x20000);
}

// Cells, the current cell and the first shown row stay inside the grid; a
// column outside it is refused like a row outside it.
TEST_F(RuntimeTest, GridKeepsItsCellsAndRowsInRange) {
    Log& seen = watched();
    Grid& g = f().grid("grd");
    g.onScroll = [&] { seen.push_back("scroll"); };
    const struct { std::function<void()> act; Log seen; Ints state; } steps[] = {  // rows cols fixed top row col
        {[&] { g.setCols(7); g.setRows(20); }, {"grd Grid", "grd Grid"}, {20, 7, 1, 1, 1, 1}},
        {[&] { g.setRow(19); g.setCol(6); g.setTopRow(50); g.setTopRow(19); }, {"grd Grid", "scroll"}, {20, 7, 1, 19, 19, 6}},
        {[&] { g.setRows(5); g.setCols(3); }, {"grd Grid", "grd Grid"}, {5, 3, 1, 4, 4, 2}},
        {[&] { g.setTopRow(0); }, {"grd Grid", "scroll"}, {5, 3, 1, 1, 4, 2}},
        {[&] { g.setTopRow(4); g.setRows(1); }, {"grd Grid", "scroll", "grd Grid"}, {1, 3, 1, 1, 0, 2}},
        {[&] { g.setRows(30); g.setFixedRows(2); }, {"grd Grid", "grd Grid"}, {30, 3, 2, 2, 1, 2}},
        {[&] { g.clickCell(12, 1); g.clickCell(1, 3); g.clickCell(30, -1); }, {"click grd", "click grd", "click grd"},
         {30, 3, 2, 2, 12, 1}},
    };
    for (const auto& step : steps) {
        seen.clear();
        step.act();
        EXPECT_EQ(seen, step.seen) << &step - steps;
        EXPECT_EQ((Ints{g.rows(), g.cols(), g.fixedRows(), g.topRow(), g.row(), g.col()}), step.state) << &step - steps;
    }
    g.setColWidth(1, -5);
    g.setColWidth(2, 500);
    Ints geometry{g.mouseRow(), g.mouseCol(), g.colWidth(0), g.colWidth(1), g.colPos(2), g.colPos(9), g.visibleRows(), g.cellTop()};
    for (int row : {1, 2}) geometry.push_back((g.setTopRow(10), g.setRow(row), g.cellTop()));
    geometry.push_back((g.setHeight(100), g.visibleRows()));
    EXPECT_EQ(geometry, (Ints{30, -1, 960, 0, 960, 1460, 8, 2880, 240, -1440, 0}));
    g.setTextMatrix(29, 2, "E:\\a.exe");
    EXPECT_EQ((g.setRows(3), g.setRows(30), g.textMatrix(29, 2)), "");
    const std::function<void()> calls[] = {  // 3 columns, 30 rows
        [&] { g.setCol(3); }, [&] { g.setCol(-1); }, [&] { g.setCol(2); }, [&] { g.setRow(30); }, [&] { g.setRow(-1); },
        [&] { g.setRow(29); }, [&] { g.colWidth(3); }, [&] { g.colWidth(-1); }, [&] { g.setColWidth(3, 0); },
        [&] { g.setColWidth(-1, 0); }, [&] { g.textMatrix(30, 0); }, [&] { g.textMatrix(-1, 0); },
        [&] { g.textMatrix(0, 3); }, [&] { g.textMatrix(0, -1); }, [&] { g.setTextMatrix(30, 0, ""); },
        [&] { g.setTextMatrix(-1, 0, ""); }, [&] { g.setTextMatrix(0, 3, ""); }, [&] { g.setTextMatrix(0, -1, ""); },
        [&] { g.setTextMatrix(29, 2, "x"); }, [&] { g.setCols(0); }, [&] { g.setRows(1); }, [&] { g.setFixedRows(31); },
        [&] { g.setFixedRows(-1); }, [&] { g.setFixedRows(0); g.setRows(-1); }};
    std::string refused;  // x refused, . accepted
    for (const auto& call : calls) {
        try {
            call();
            refused += '.';
        } catch (const Error&) {
            refused += 'x';
        }
    }
    EXPECT_EQ(refused, "xx.xx.xxxxxxxxxxxx.xxxxx");
}

// Timers tick in time order (the earlier start first on a tie) while enabled
// with an interval; a tick may advance the clock itself, never backwards.
TEST_F(RuntimeTest, TimersTickInTimeOrderWhileEnabled) {
    Timer& t = f().timer("tmr");
    Timer& off = f().timer("tmrOff");
    EXPECT_EQ((Ints{h.clock.running(t), h.clock.running(off)}), (Ints{1, 0}));
    const struct { std::function<void()> act; long long ms; Log ticks; } steps[] = {
        {[] {}, 29, {}},
        {[] {}, 1, {"tick tmr"}},
        {[&] { off.setEnabled(true); }, 30, {"tick tmrOff", "tick tmr"}},
        {[&] { t.setInterval(20); off.setInterval(20); }, 20, {"tick tmr", "tick tmrOff"}},
        {[&] { off.setInterval(20); t.setInterval(20); }, 40, {"tick tmrOff", "tick tmr", "tick tmrOff", "tick tmr"}},
        {[&] { t.setInterval(0); off.setEnabled(false); t.tick(); off.tick(); }, 100, {}},
        {[&] { t.setInterval(10); t.onTimer = [&] { f().log.push_back("tick"); h.clock.advance(5); }; }, 10, {"tick"}},
        {[&] { f().unload(); }, 100, {"unload"}},
    };
    for (const auto& step : steps) {
        f().log.clear();
        step.act();
        h.clock.advance(step.ms);
        EXPECT_EQ(f().log, step.ticks) << &step - steps;
    }
    EXPECT_EQ(h.clock.now(), 335);
}

// A failing step asks Abort, Retry, Ignore: Retry repeats it, Ignore goes on,
// Abort resets the pointer and skips every later step.
TEST_F(RuntimeTest, ErrorReportRetriesIgnoresAndAborts) {
    h.ui.answers = {Retry, Retry, Ignore, Abort};
    Log ran;
    ErrorReport report;
    auto step = [&](const std::string& name, int failures) {
        return report.step([&, name, failures] {
            ran.push_back(name);
            if (std::count(ran.begin(), ran.end(), name) <= failures) throw Error(name + " failed");
        });
    };
    EXPECT_EQ((Ints{step("a", 2), step("b", 1), step("c", 1), step("d", 0), report.aborted()}), (Ints{1, 1, 0, 0, 1}));
    EXPECT_EQ(ran, (Log{"a", "a", "a", "b", "c"}));
    EXPECT_EQ(h.ui.prompts(), (Log{"a failed", "a failed", "b failed", "c failed"}));
    EXPECT_EQ(h.ui.dialogs[0].title + std::to_string(h.ui.dialogs[0].style), "An Error Occured18");
    EXPECT_EQ(h.ui.pointers, (std::vector<int>{0}));
}

TEST_F(RuntimeTest, DialogsAreAnsweredFromTheScriptOrWithTheirFirstButton) {
    Ints answers;
    for (int style : {0, 1, 2, 3, 4, 18, 48, 52, 64, 67}) answers.push_back(h.app().msgBox("p", style));
    EXPECT_EQ(answers, (Ints{Ok, Ok, Abort, Yes, Yes, Abort, Ok, Yes, Ok, Yes}));
    h.ui.answers = {No};
    h.ui.inputs = {"typed"};
    h.ui.onMsgBox = [&](const DialogRecord& d) { h.app().setScreenPointer(d.style); };
    EXPECT_EQ((Ints{h.app().msgBox("Delete?", YesNo, "Own"), h.app().msgBox("Again?", YesNo)}), (Ints{No, Yes}));
    EXPECT_EQ((Log{*h.app().inputBox("Name", "", "x"), *h.app().inputBox("Name", "T", "x")}), (Log{"typed", "x"}));
    h.ui.inputs = {std::nullopt};
    EXPECT_FALSE(h.app().inputBox("Name"));
    h.ui.popupMenu(f(), f().c("lbl"));
    h.app().doEvents();
    Log shown;
    for (const auto& d : h.ui.dialogs) shown.push_back(d.kind + " " + d.prompt + " " + d.title);
    EXPECT_EQ(Log(shown.end() - 6, shown.end()), (Log{"msgbox Delete? Own", "msgbox Again? Tavlo", "inputbox Name Tavlo",
                                                      "inputbox Name T", "inputbox Name Tavlo", "menu lbl frmSample"}));
    EXPECT_EQ((Ints{static_cast<long long>(h.ui.prompts().size()), h.app().screenPointer(), h.ui.doEventsCount}),
              (Ints{12, 4, 1}));
}

TEST_F(RuntimeTest, TheProgramsEndUnloadsEveryWindow) {
    EXPECT_EQ((Version{12, 4, 0}.text()), "12.4.0");
    EXPECT_EQ((Ints{h.ui.textSize({}, "").width, h.ui.textSize({}, "").height}), (Ints{0, 195}));
    bool unloaded = false;
    {
        platform::fake::HeadlessApp other;
        other.app().instance<Sample>().load();
        other.app().instance<Sample>().unloading = [&] { unloaded = true; throw Error("late"); };
        EXPECT_EQ(other.app().forms(), (std::vector<Form*>{&other.app().instance<Sample>()}));
    }
    EXPECT_TRUE(unloaded);
    EXPECT_EQ(&app(), &h.app());
}

TEST_F(RuntimeTest, TopMostSwitchAndDragThroughTheSystemsMoveLoop) {
    EXPECT_EQ((Ints{SetTopMost(12, True), SetTopMost(12, 1), SetTopMost(12, False), SetTopMost(0, True)}), (Ints{1, 0, 0, 0}));
    watched();
    int pointerWhileMoving = 0;
    h.sys.windows.onSendMessage = [&](Handle, unsigned) { pointerWhileMoving = f().mousePointer(); };
    DragWithPointer(f());
    EXPECT_EQ((Ints{pointerWhileMoving, f().mousePointer()}), (Ints{PointerMove, PointerArrow}));
    EXPECT_EQ(h.sys.windows.calls, (Log{"SetWindowPos 12 -1 3", "SetWindowPos 12 -2 3", "SetWindowPos 12 -2 3",
                                         "SetWindowPos 0 -1 3", "ReleaseCapture", "SendMessage 77 161 2 0"}));
}

}  // namespace
}  // namespace tavlo::rt

#include "scanner/ScannerFixture.h"

namespace tavlo::testsupport {
namespace {

struct IgnoreList : ScannerTest {
    scanner::FrmIgnrLst& w() { return scanner::frmIgnrLst(); }
    rt::Grid& list() { return w().grid("MsfInfectd"); }
    rt::Control& ctl(const std::string& name) { return w().c(name); }
    void open() { w().show(), h.clock.advance(10); }  // as "White List" does; the load runs
    std::string shape() {
        std::string cells;
        for (int r = 0; r < list().rows(); ++r)
            for (int col = 0; col < list().cols(); ++col) cells += "|" + list().textMatrix(r, col);
        return std::to_string(list().fixedRows()) + " " + std::to_string(list().colWidth(0)) + cells;
    }
    void add(const std::optional<std::string>& typed) { h.ui.inputs.push_back(typed), ctl("cmdAddIt").click(); }
};

TEST_F(IgnoreList, ShowsItsTextsAndLoadsTheListOnceAfterOpening) {
    useIgnoreDb();
    open();
    const std::pair<const char*, const char*> texts[] = {
        {"Label1", "Auto deletion will ignore all the items listed hare."}, {"cmdRfrsh", "Refresh"},
        {"cmdAddIt", "Add an item"}, {"cmdDelIgnr", "Clear white list"}, {"cmdDel", "X"}, {"lblCncMsg", ""}};
    for (auto [name, caption] : texts) EXPECT_EQ(ctl(name).caption(), caption) << name;
    EXPECT_EQ(w().caption() + "|" + ctl("cmdDel").toolTip(), "Ignore List|Remove Item from Ignore List");
    list().clickCell(0, 0);
    EXPECT_EQ(shape() + std::to_string(ctl("cmdDel").visible() + ctl("cmdDelIgnr").enabled()), "0 5000|Nill0");
    for (const char* p : {"E:\\a.exe", "F:\\b c\\d.com"}) listPath(p);
    w().unload();
    w().show();
    EXPECT_EQ(list().rows(), 2) << "nothing is read before the timer fires";
    h.ui.pointers.clear();
    h.clock.advance(10);
    EXPECT_EQ(h.ui.pointers, (std::vector<int>{rt::PointerHourglass, rt::PointerDefault}));
    EXPECT_EQ(shape(), "1 0||Object to ignore||1|E:\\a.exe|Don't Ignore|2|F:\\b c\\d.com|Don't Ignore");
    EXPECT_EQ(list().colWidth(1) * 10 + list().colWidth(2), 62000);
    EXPECT_TRUE(ctl("cmdDelIgnr").enabled() && list().enabled() && !w().timer("tmrLoad").enabled());
    listPath("G:\\late.exe");
    w().show();
    h.clock.advance(1000);
    EXPECT_EQ(list().rows(), 3) << "showing an open window loads nothing";
}

TEST_F(IgnoreList, AddChecksTheTypedTextInOrder) {
    listPath("E:\\a.exe");
    open();
    const std::string fits = "E:\\" + std::string(252, 'x');
    std::string wide = "E:\\";
    for (int i = 0; i < 252; ++i) wide += "\xC3\xA9";
    const std::tuple<std::optional<std::string>, const char*, int> cases[] = {
        {fits + "y", "Too big.... cannot add", 64}, {wide + "\xC3\xA9", "Too big.... cannot add", 64},
        {"E:/a.exe", "Enter a normal path.", 48}, {"\\\\server\\share\\a.exe", "Enter a normal path.", 48},
        {"E:\\it's.exe", "Invalid Character(s) entered.", 48}, {"\\\\it's", "Enter a normal path.", 48},
        {std::nullopt, "", 0}, {"   ", "", 0}, {"E:\\a.exe", "Already Added", 0},
        {"  E:\\new.exe  ", "Added into the ignore list", 0}, {fits, "Added into the ignore list", 0},
        {wide, "Added into the ignore list", 0}};
    for (const auto& [typed, report, style] : cases) {
        const std::size_t before = h.ui.dialogs.size();
        ctl("lblCncMsg").setCaption("");
        add(typed);
        const bool boxed = h.ui.dialogs.size() == before + 2;
        EXPECT_EQ(boxed ? h.ui.dialogs.back().prompt : ctl("lblCncMsg").caption(), report) << typed.value_or("-");
        EXPECT_EQ(h.ui.dialogs.back().style, style) << typed.value_or("-");
    }
    EXPECT_EQ(h.ui.dialogs[0].prompt + "|" + h.ui.dialogs[0].title, "Enter an item into the ignore list|Tavlo");
    EXPECT_EQ(listed(), (Texts{"E:\\a.exe", "E:\\new.exe", fits, wide}));
    EXPECT_EQ(list().rows(), 2) << "new entries show after Refresh";
}

TEST_F(IgnoreList, RemovesTheClickedEntryOrEveryListedOne) {
    for (const char* p : {"E:\\a.exe", "E:\\b.exe", "E:\\c.exe"}) listPath(p);
    open();
    listPath("E:\\late.exe");
    list().clickCell(2, 1);
    auto& del = ctl("cmdDel");
    EXPECT_EQ((std::vector<int>{del.left(), del.top(), del.width(), del.height(), del.visible(), w().ClickedRow}),
              (std::vector<int>{list().left() + 6000, list().top() + 480, 2000, 255, true, 2}));
    h.ui.answers = {rt::No, rt::Yes, rt::No, rt::Yes};
    del.click();
    EXPECT_EQ(list().textMatrix(2, 2), "Don't Ignore");
    del.click();
    EXPECT_EQ(shape(),
              "1 0||Object to ignore||1|E:\\a.exe|Don't Ignore|2|E:\\b.exe|[Removed]|3|E:\\c.exe|Don't Ignore");
    list().clickCell(2, 1);
    EXPECT_FALSE(del.visible());
    for (int row : {1, 0}) list().clickCell(row, 1);
    EXPECT_EQ(del.top(), list().top() + 240) << "a header click leaves it over the current row";
    ctl("cmdDelIgnr").click();
    EXPECT_EQ(listed().size(), 3u);
    ctl("cmdDelIgnr").click();
    EXPECT_TRUE(del.visible()) << "clearing leaves the button where it is";
    EXPECT_EQ(listed(), Texts{"E:\\late.exe"});
    EXPECT_EQ(list().textMatrix(1, 2) + list().textMatrix(3, 2), "[Removed][Removed]");
    EXPECT_TRUE(ctl("cmdAddIt").enabled() && ctl("cmdRfrsh").enabled() && list().enabled());
    EXPECT_EQ(h.ui.pointers.back(), rt::PointerDefault);
    EXPECT_EQ(h.ui.prompts(), Texts(4, "Confirm remove from ignore list.                    "));
    EXPECT_EQ(h.ui.dialogs[1].style, 68);
    del.click();
    EXPECT_EQ(listed(), Texts{"E:\\late.exe"}) << "the header row removes nothing";
    add(std::nullopt);
    EXPECT_FALSE(del.visible());
}

TEST_F(IgnoreList, DatabaseFailuresLeaveTheWindowUsable) {
    open();
    h.app().setScreenPointer(rt::PointerHourglass);
    add("E:\\a.exe");
    EXPECT_EQ(ctl("lblCncMsg").caption(), "Ignore list error... Reinstall Tavlo to recover the problem.");
    EXPECT_EQ(h.ui.pointers.back(), rt::PointerDefault);
    listPath("E:\\a.exe");
    ctl("cmdRfrsh").click();
    breakIgnoreTable();
    list().clickCell(1, 1);
    h.ui.answers = {rt::Yes, rt::Yes, rt::Abort, rt::Abort};
    for (const char* button : {"cmdDel", "cmdDelIgnr", "cmdRfrsh"}) ctl(button).click();
    EXPECT_EQ(shape() + std::to_string(ctl("cmdDelIgnr").enabled()), "1 0||Object to ignore|0");
    EXPECT_TRUE(ctl("cmdAddIt").enabled() && ctl("cmdRfrsh").enabled() && list().enabled());
    EXPECT_EQ(h.ui.pointers.back(), rt::PointerDefault);
    EXPECT_EQ(h.ui.dialogs.size(), 5u);
    EXPECT_EQ(h.ui.dialogs[3].title + h.ui.dialogs[4].title, "An Error OccuredAn Error Occured");
}

TEST_F(IgnoreList, LayoutKeepsTheMinimumSizeAndAlignsTheButtons) {
    w().show();
    w().move(0, 0, 8000, 3000);
    EXPECT_EQ(std::to_string(w().width()) + "x" + std::to_string(w().height()), "10000x3500");
    w().setWidth(12000);
    auto place = [&](rt::Control& b) { return std::vector<int>{b.left(), b.top(), b.width(), b.height()}; };
    EXPECT_EQ(place(list()), (std::vector<int>{165, 240, 11550, 2285}));
    const int top = 240 + 2285 + 60;
    EXPECT_EQ(place(ctl("cmdDelIgnr")), (std::vector<int>{9780, top, 1935, 375}));
    EXPECT_EQ(place(ctl("cmdAddIt")), (std::vector<int>{8385, top, 1095, 375}));
    EXPECT_EQ(place(ctl("cmdRfrsh")), (std::vector<int>{6990, top, 1095, 375}));
    EXPECT_EQ(ctl("lblCncMsg").top(), top + 60);
}

}  // namespace
}  // namespace tavlo::testsupport

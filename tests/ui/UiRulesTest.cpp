#include <gtest/gtest.h>

#include "ui/app/CommandIds.h"
#include "ui/app/FileFilter.h"
#include "ui/app/RecentFileList.h"
#include "ui/app/WindowCaption.h"
#include "ui/right_pane/SectionTexts.h"
#include "ui/tree_pane/CommandEnabling.h"
#include "ui/tree_pane/ContextMenuLayout.h"
#include "ui/tree_pane/TreeLabels.h"

TEST(FileFilter, ConvertsChooserFiltersToQtForm) {
    const struct {
        const char* filter;
        const char* qt;
    } cases[] = {
        {"EDS Files (*.eds)| *.eds| DCF Files (*.dcf) | *.dcf||", "EDS Files (*.eds);;DCF Files (*.dcf)"},
        {"Source Files (*.c) |*.c||", "Source Files (*.c)"},
        {"Project Files (*.prj)| *.prj||", "Project Files (*.prj)"},
        {"Sources|*.c;*.h||", "Sources (*.c *.h)"},
        {"|*.x||", ""},
        {"", ""},
        {"Odd|", "Odd (*)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToQtFilter(c.filter), c.qt) << c.filter;
    }
}

TEST(TreeLabels, FormatAndReadBackNumbers) {
    EXPECT_EQ(IndexLabel(0x1018, "Identity Object"), "1018 Identity Object");
    EXPECT_EQ(SubindexLabel(0x1018, 0x2, "Product Code"), "1018, 02 Product Code");
    EXPECT_EQ(SubindexLabel(0x2000, 0x1AB, "Wide"), "2000, 1AB Wide");
    EXPECT_EQ(IndexFromLabel("1A00 Transmit PDO 1 Mapping"), 0x1A00);
    EXPECT_EQ(IndexFromLabel("1a00, 01 x"), 0x1A00);
    EXPECT_EQ(SubindexFromLabel("1A00, 0F Mapped"), 0x0F);
    EXPECT_EQ(SubindexFromLabel("1A00, 7 x"), 0x7);
    // Labels that do not start with digits name nothing.
    EXPECT_EQ(IndexFromLabel("FileInfo"), 0xF);
    EXPECT_EQ(IndexFromLabel("ObjectDictionary"), 0);
    EXPECT_EQ(IndexFromLabel(""), 0);
    EXPECT_EQ(SubindexFromLabel("1000"), 0);
}

TEST(TreeLabels, RootLabelsTakeTheFileName) {
    EXPECT_EQ(RootLabel(""), "unnamed.eds");
    EXPECT_EQ(RootLabel("C:\\work\\device.eds"), "device.eds");
    EXPECT_EQ(RootLabel("/home/me/device.dcf"), "device.dcf");
    EXPECT_EQ(RootLabel("plain.eds"), "plain.eds");
    EXPECT_EQ(OpenedProjectRootLabel("C:\\work\\myprj.prj"), "myeds.eds");
    EXPECT_EQ(OpenedProjectRootLabel("/tmp/prjprj/a.PRJ"), "a.PRJ");
    EXPECT_EQ(OpenedProjectRootLabel("/x/prjprj.prj"), "edseds.eds");
}

TEST(WindowCaption, ShowsTheTitleOnceSet) {
    EXPECT_EQ(WindowCaption("unnamed.prj", false), "Quillmark");
    EXPECT_EQ(WindowCaption("unnamed.prj", true), "unnamed.prj - Quillmark");
    EXPECT_EQ(ClockText(LocalTime{1, 1, 2026, 9, 5, 3}), "09:05:03");
    EXPECT_EQ(ClockText(LocalTime{1, 1, 2026, 23, 59, 59}), "23:59:59");
}

TEST(RecentFileList, KeepsFourNewestWithoutRepeats) {
    RecentFileList list;
    for (const char* path : {"a", "b", "c", "d", "e"}) {
        list.Add(path);
    }
    EXPECT_EQ(list.Paths(), (std::vector<std::string>{"e", "d", "c", "b"}));
    list.Add("c");
    EXPECT_EQ(list.Paths(), (std::vector<std::string>{"c", "e", "d", "b"}));
    list.Add("");
    EXPECT_EQ(list.Paths().size(), 4u);
    list.Assign({"x", "y", "x"});
    EXPECT_EQ(list.Paths(), (std::vector<std::string>{"x", "y"}));
}

TEST(CommandEnabling, FollowsTheStateOfProjectAndSelection) {
    CommandState state;
    for (int id : {Cmd::New, Cmd::Open, Cmd::ImportEds, Cmd::Exit, Cmd::About}) {
        EXPECT_TRUE(CommandAllowed(id, state)) << id;
    }
    for (int id : {Cmd::Save, Cmd::SaveAs, Cmd::CreateSources, Cmd::CreateEds, Cmd::NewIndex,
                   Cmd::NewSubindex, Cmd::Edit, Cmd::Copy, Cmd::Paste, Cmd::Delete, Cmd::FileInfo,
                   Cmd::DeviceInfo, Cmd::DummyUsage, Cmd::Comments}) {
        EXPECT_FALSE(CommandAllowed(id, state)) << id;
    }
    state.modified = true;
    EXPECT_TRUE(CommandAllowed(Cmd::Save, state));
    EXPECT_FALSE(CommandAllowed(Cmd::SaveAs, state));
    state.projectLoaded = true;
    EXPECT_TRUE(CommandAllowed(Cmd::SaveAs, state));
    EXPECT_TRUE(CommandAllowed(Cmd::CreateEds, state));

    CommandState dictionary;
    dictionary.dictionarySelected = true;
    EXPECT_TRUE(CommandAllowed(Cmd::NewIndex, dictionary));
    EXPECT_FALSE(CommandAllowed(Cmd::Edit, dictionary));

    CommandState index;
    index.indexSelected = true;
    EXPECT_FALSE(CommandAllowed(Cmd::NewSubindex, index));
    index.canAddSubindex = true;
    EXPECT_TRUE(CommandAllowed(Cmd::NewSubindex, index));
    EXPECT_FALSE(CommandAllowed(Cmd::Paste, index));
    index.subindexCopied = true;
    EXPECT_FALSE(CommandAllowed(Cmd::Paste, index));
    index.indexCopied = true;
    EXPECT_TRUE(CommandAllowed(Cmd::Paste, index));
    EXPECT_EQ(EditCommandText(index), "Edit index...");

    CommandState subindex;
    subindex.subindexSelected = true;
    subindex.indexCopied = true;
    EXPECT_FALSE(CommandAllowed(Cmd::Paste, subindex));
    subindex.subindexCopied = true;
    EXPECT_TRUE(CommandAllowed(Cmd::Paste, subindex));
    EXPECT_TRUE(CommandAllowed(Cmd::NewSubindex, subindex));
    EXPECT_EQ(EditCommandText(subindex), "Edit subindex...");
    EXPECT_EQ(EditCommandText(CommandState{}), std::nullopt);

    CommandState comments;
    comments.commentsSelected = true;
    EXPECT_TRUE(CommandAllowed(Cmd::Comments, comments));
    EXPECT_FALSE(CommandAllowed(Cmd::FileInfo, comments));
}

namespace {

std::vector<std::string> Grayed(const ContextMenuLayout& menu) {
    std::vector<std::string> items;
    for (const ContextMenuItem& item : menu.items) {
        if (item.id != 0 && item.grayed) {
            items.push_back(item.text);
        }
    }
    return items;
}

}  // namespace

TEST(ContextMenus, RootAndDictionaryOfferTheUsefulDirection) {
    ContextMenuState state;
    EXPECT_EQ(Grayed(ContextMenuFor(NodeKind::Root, state)),
              (std::vector<std::string>{"Expand", "Collapse"}));
    state.hasChildren = true;
    state.rootExpanded = true;
    EXPECT_EQ(Grayed(ContextMenuFor(NodeKind::Root, state)), (std::vector<std::string>{"Expand"}));
    state.rootExpanded = false;
    EXPECT_EQ(Grayed(ContextMenuFor(NodeKind::Root, state)), (std::vector<std::string>{"Collapse"}));

    ContextMenuState empty;
    const ContextMenuLayout dictionary = ContextMenuFor(NodeKind::Dictionary, empty);
    EXPECT_EQ(dictionary.name, "Object Dictionary");
    EXPECT_EQ(Grayed(dictionary), (std::vector<std::string>{"Expand", "Collapse"}));
    ASSERT_EQ(dictionary.items.size(), 4u);
    EXPECT_EQ(dictionary.items[3].id, Cmd::NewIndex);
}

TEST(ContextMenus, PasteFollowsWhatWasCopied) {
    ContextMenuState state;
    EXPECT_EQ(Grayed(ContextMenuFor(NodeKind::Index, state)),
              (std::vector<std::string>{"New subindex...", "Paste..\tCtrl+V"}));
    EXPECT_EQ(Grayed(ContextMenuFor(NodeKind::Subindex, state)),
              (std::vector<std::string>{"Paste...\tCtrl+V"}));
    state.subindexCopied = true;
    state.canAddSubindex = true;
    EXPECT_EQ(Grayed(ContextMenuFor(NodeKind::Index, state)), (std::vector<std::string>{"Paste..\tCtrl+V"}));
    EXPECT_TRUE(Grayed(ContextMenuFor(NodeKind::Subindex, state)).empty());
}

TEST(ContextMenus, SectionsHaveOneEditItem) {
    const ContextMenuState state;
    EXPECT_EQ(ContextMenuFor(NodeKind::DeviceInfo, state).name, "DevicInfo");
    EXPECT_EQ(ContextMenuFor(NodeKind::Comments, state).items.at(0).text, "Edit section \"Comments...\"");
    EXPECT_EQ(ContextMenuFor(NodeKind::FileInfo, state).items.at(0).id, Cmd::FileInfo);
    EXPECT_TRUE(ContextMenuFor(NodeKind::None, state).items.empty());
}

TEST(SectionTexts, NumbersAreSignedDecimal) {
    EXPECT_EQ(SectionNumberText(4294967295u), "-1");
    EXPECT_EQ(SectionNumberText(929), "929");
    EXPECT_EQ(SectionNumberText(0), "0");
}

TEST(SectionTexts, DummyUsageSetsOnlyTheBoxesOfItsSlots) {
    std::array<bool, 7> boxes{true, true, false, false, false, false, false};
    DummyUsageSection section;
    section.entries[0] = {2, 0};
    section.entries[1] = {7, 1};
    section.entries[2] = {9, 1};  // no box for data type 9
    ApplyDummyUsage(section, boxes);
    EXPECT_EQ(boxes, (std::array<bool, 7>{true, false, false, false, false, false, true}));
}

#include <gtest/gtest.h>

#include "ui/app/CommandIds.h"
#include "ui/app/FileFilter.h"
#include "ui/app/RecentFileList.h"
#include "ui/app/WindowCaption.h"
#include "ui/right_pane/SectionTexts.h"
#include "ui/tree_pane/CommandEnabling.h"
#include "ui/tree_pane/ContextMenuLayout.h"
#include "ui/tree_pane/TreeCommandController.h"
#include "ui/tree_pane/TreeFilter.h"
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

// The numbers are read back from the nodes, not from these labels (the GUI tests check the nodes).
TEST(TreeLabels, FormatNumbers) {
    EXPECT_EQ(IndexLabel(0x1018, "Identity Object"), "1018 Identity Object");
    EXPECT_EQ(IndexLabel(0x1A00, ""), "1A00 ");
    EXPECT_EQ(SubindexLabel(0x1018, 0x2, "Product Code"), "1018, 02 Product Code");
    EXPECT_EQ(SubindexLabel(0x2000, 0x1AB, "Wide"), "2000, 1AB Wide");
    EXPECT_EQ(SubindexLabel(0x1A00, 0x0F, "Mapped"), "1A00, 0F Mapped");
}

TEST(TreeLabels, RootLabelsTakeTheFileName) {
    EXPECT_EQ(RootLabel(""), "unnamed.eds");
    EXPECT_EQ(RootLabel("C:\\work\\device.eds"), "device.eds");
    EXPECT_EQ(RootLabel("/home/me/device.dcf"), "device.dcf");
    EXPECT_EQ(RootLabel("plain.eds"), "plain.eds");
    EXPECT_EQ(OpenedProjectRootLabel("C:\\work\\myprj.prj"), "myeds.eds");
    EXPECT_EQ(OpenedProjectRootLabel("/tmp/prjprj/a.PRJ"), "a.PRJ");
    EXPECT_EQ(OpenedProjectRootLabel("/x/prjprj.prj"), "edseds.eds");
    // After an undone or redone import: the project file if there is one, else the imported file.
    EXPECT_EQ(ProjectRootLabel(true, "/w/myprj.prj", "/w/dev.eds"), "myeds.eds");
    EXPECT_EQ(ProjectRootLabel(false, "", "/w/dev.eds"), "dev.eds");
    EXPECT_EQ(ProjectRootLabel(false, "", ""), "unnamed.eds");
}

TEST(WindowCaption, ShowsTheTitleOnceSet) {
    EXPECT_EQ(WindowCaption("unnamed.prj", false), "Quillmark");
    EXPECT_EQ(WindowCaption("unnamed.prj", true), "unnamed.prj - Quillmark");
    EXPECT_EQ(ClockText(LocalTime{1, 1, 2026, 9, 5, 3}), "09:05:03");
    EXPECT_EQ(ClockText(LocalTime{1, 1, 2026, 23, 59, 59}), "23:59:59");
}

TEST(RecentFileList, KeepsEightNewestWithoutRepeats) {
    RecentFileList list;
    for (const char* path : {"a", "b", "c", "d", "e", "f", "g", "h", "i"}) {
        list.Add(path);
    }
    EXPECT_EQ(list.Paths(), (std::vector<std::string>{"i", "h", "g", "f", "e", "d", "c", "b"}));
    list.Add("c");
    EXPECT_EQ(list.Paths(), (std::vector<std::string>{"c", "i", "h", "g", "f", "e", "d", "b"}));
    list.Add("");
    EXPECT_EQ(list.Paths().size(), 8u);
    list.Remove("i");
    list.Remove("missing");
    EXPECT_EQ(list.Paths(), (std::vector<std::string>{"c", "h", "g", "f", "e", "d", "b"}));
    list.Assign({"x", "y", "x"});
    EXPECT_EQ(list.Paths(), (std::vector<std::string>{"x", "y"}));
}

TEST(CommandEnabling, FollowsTheStateOfProjectAndSelection) {
    CommandState state;
    for (int id : {Cmd::New, Cmd::Open, Cmd::ImportEds, Cmd::Exit, Cmd::About}) {
        EXPECT_TRUE(CommandAllowed(id, state)) << id;
    }
    for (int id :
         {Cmd::Save, Cmd::SaveAs, Cmd::CreateSources, Cmd::CreateEds, Cmd::NewIndex, Cmd::NewSubindex,
          Cmd::Edit, Cmd::Copy, Cmd::Paste, Cmd::Delete, Cmd::FileInfo, Cmd::DeviceInfo, Cmd::DummyUsage,
          Cmd::Comments, Cmd::Undo, Cmd::Redo, Cmd::CreateDocumentation}) {
        EXPECT_FALSE(CommandAllowed(id, state)) << id;
    }
    EXPECT_TRUE(CommandAllowed(Cmd::Filter, state));
    state.modified = true;
    EXPECT_TRUE(CommandAllowed(Cmd::Save, state));
    EXPECT_FALSE(CommandAllowed(Cmd::SaveAs, state));
    state.projectLoaded = true;
    EXPECT_TRUE(CommandAllowed(Cmd::SaveAs, state));
    EXPECT_TRUE(CommandAllowed(Cmd::CreateEds, state));
    EXPECT_TRUE(CommandAllowed(Cmd::CreateDocumentation, state));

    CommandState dictionary;
    dictionary.selected = NodeKind::Dictionary;
    EXPECT_TRUE(CommandAllowed(Cmd::NewIndex, dictionary));
    EXPECT_FALSE(CommandAllowed(Cmd::Edit, dictionary));

    CommandState index;
    index.selected = NodeKind::Index;
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
    subindex.selected = NodeKind::Subindex;
    subindex.indexCopied = true;
    EXPECT_FALSE(CommandAllowed(Cmd::Paste, subindex));
    subindex.subindexCopied = true;
    EXPECT_TRUE(CommandAllowed(Cmd::Paste, subindex));
    EXPECT_TRUE(CommandAllowed(Cmd::NewSubindex, subindex));
    EXPECT_EQ(EditCommandText(subindex), "Edit subindex...");
    EXPECT_EQ(EditCommandText(CommandState{}), std::nullopt);

    CommandState history;
    history.canUndo = true;
    EXPECT_TRUE(CommandAllowed(Cmd::Undo, history));
    EXPECT_FALSE(CommandAllowed(Cmd::Redo, history));
    history.canRedo = true;
    EXPECT_TRUE(CommandAllowed(Cmd::Redo, history));
    const HistoryCommandText undo = HistoryCommandTexts(Cmd::Undo, "Add index 0x2000");
    EXPECT_EQ(undo.menu, "Undo Add index 0x2000\tCtrl+Z");
    EXPECT_EQ(undo.toolTip, "Undo Add index 0x2000");
    EXPECT_EQ(HistoryCommandTexts(Cmd::Redo, "Edit DeviceInfo").menu, "Redo Edit DeviceInfo\tCtrl+Y");
    EXPECT_EQ(HistoryCommandTexts(Cmd::Redo, "").toolTip, "Redo");

    CommandState comments;
    comments.selected = NodeKind::Comments;
    EXPECT_TRUE(CommandAllowed(Cmd::Comments, comments));
    EXPECT_FALSE(CommandAllowed(Cmd::FileInfo, comments));
}

namespace {

// Records which handler the controller called with which command.
struct RecordingTarget : TreeCommandTarget {
    bool IsModified() const override { return modified; }
    bool CanUndo() const override { return false; }
    bool CanRedo() const override { return true; }
    void RunFileCommand(int id) override { calls.push_back("file " + std::to_string(id)); }
    void RunTreeCommand(int id) override { calls.push_back("tree " + std::to_string(id)); }
    void RunSectionCommand(int id) override { calls.push_back("section " + std::to_string(id)); }
    void RunEditCommand(int id) override { calls.push_back("edit " + std::to_string(id)); }
    void RunHistoryCommand(int id) override { calls.push_back("history " + std::to_string(id)); }
    void CommandsChanged() override { calls.push_back("changed"); }
    bool modified = false;
    std::vector<std::string> calls;
};

}  // namespace

TEST(TreeCommandController, RoutesEnabledCommandsToTheirHandlers) {
    const struct {
        const char* name;
        int id;
        NodeKind selected;
        std::vector<std::string> calls;
    } rows[] = {
        {"new", Cmd::New, NodeKind::None, {"file " + std::to_string(Cmd::New), "changed"}},
        {"collapse",
         Cmd::CollapseRoot,
         NodeKind::Root,
         {"tree " + std::to_string(Cmd::CollapseRoot), "changed"}},
        {"comments",
         Cmd::Comments,
         NodeKind::Comments,
         {"section " + std::to_string(Cmd::Comments), "changed"}},
        {"comments elsewhere", Cmd::Comments, NodeKind::FileInfo, {}},
        {"delete", Cmd::Delete, NodeKind::Subindex, {"edit " + std::to_string(Cmd::Delete), "changed"}},
        {"redo", Cmd::Redo, NodeKind::None, {"history " + std::to_string(Cmd::Redo), "changed"}},
        {"undo without a step", Cmd::Undo, NodeKind::None, {}},
        {"about is not the tree's", Cmd::About, NodeKind::None, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingTarget target;
        TreeCommandController commands(target);
        commands.Select(row.selected, false);
        commands.OnCommand(row.id);
        EXPECT_EQ(target.calls, row.calls);
    }
    EXPECT_FALSE(TreeCommandController::HasHandler(Cmd::About));
}

TEST(TreeCommandController, KeepsTheSelectionTheCopyBufferAndTheEditText) {
    RecordingTarget target;
    TreeCommandController commands(target);
    EXPECT_EQ(commands.EditCommandLabel(), InitialEditCommandText);
    commands.Select(NodeKind::Subindex, true);
    EXPECT_EQ(commands.EditCommandLabel(), "Edit subindex...");
    commands.Copied(2, 1);
    EXPECT_TRUE(commands.IsSubindexCopied());
    EXPECT_EQ(commands.CopiedImage(), 2);
    commands.Select(NodeKind::Dictionary, false);
    // The text stays that of the last entry selected; copying nothing keeps the buffer.
    EXPECT_EQ(commands.EditCommandLabel(), "Edit subindex...");
    commands.Copied(0, 0);
    EXPECT_TRUE(commands.IsSubindexCopied());
    commands.Select(NodeKind::Index, true);
    commands.Copied(0, 0);
    EXPECT_TRUE(commands.IsIndexCopied());
    EXPECT_FALSE(commands.IsSubindexCopied());
    target.modified = true;
    const CommandState state = commands.GetCommandState();
    EXPECT_TRUE(state.modified && state.indexSelected() && state.canAddSubindex && state.canRedo);
    commands.FollowCopyBuffer(false, true);
    EXPECT_FALSE(commands.IsIndexCopied());
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
    // Vendor, product and revision numbers are unsigned 32-bit identifiers.
    EXPECT_EQ(IdentityNumberText(4294967295u), "4294967295");
    EXPECT_EQ(IdentityNumberText(2147483648u), "2147483648");
    EXPECT_EQ(IdentityNumberText(929), "929");
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

namespace {

// An index as the tree shows it: the header's name on the index node, the other entries below it.
IndexEntry FilterSample(std::uint16_t number, const char* name,
                        std::vector<std::pair<int, const char*>> subindices) {
    IndexEntry index;
    index.index = number;
    auto header = std::make_unique<SubindexEntry>();
    header->name = name;
    header->subindex = subindices.empty() ? HeaderSingle : HeaderStructured;
    index.subindices.push_back(std::move(header));
    for (const auto& [subindex, entryName] : subindices) {
        auto entry = std::make_unique<SubindexEntry>();
        entry->subindex = static_cast<std::uint16_t>(subindex);
        entry->name = entryName;
        index.subindices.push_back(std::move(entry));
    }
    return index;
}

std::string Describe(const IndexFilterMatch& match) {
    std::string text = !match.visible ? "hidden" : match.itself ? "itself" : "subindices";
    for (std::uint16_t subindex : match.subindices) {
        text += " " + std::to_string(subindex);
    }
    return text;
}

}  // namespace

TEST(TreeFilter, MatchesNumberNameOrSubindexNamesWithoutRegardToCase) {
    const IndexEntry mapping =
        FilterSample(0x1A00, "Transmit PDO 1 Mapping",
                     {{0, "Number of entries"}, {2, "Mapped Object 2"}, {1, "Mapped Object 1"}});
    // The accented capitals and their small letters of Windows-1252 count as equal.
    const IndexEntry accented = FilterSample(0x2000, "\xC9tat \x8A", {});
    const struct {
        const char* filter;
        const IndexEntry& index;
        const char* expected;
    } cases[] = {
        {"1A00", mapping, "itself"},          {"0x1a0", mapping, "itself"},
        {"x1A", mapping, "itself"},           {"a00 t", mapping, "hidden"},
        {"pdo 1", mapping, "itself"},         {"MAPPED object", mapping, "subindices 1 2"},
        {"entries", mapping, "subindices 0"}, {"object 3", mapping, "hidden"},
        {"\xE9TAT", accented, "itself"},      {"\x9A", accented, "itself"},
        {"\xC9T\xC1T", accented, "hidden"},   {"", mapping, "itself"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Describe(TreeFilter(c.filter).Match(c.index)), c.expected) << c.filter;
    }
    // In a UTF-8 document the accented Latin-1 letters fold too, and no byte of a character folds alone.
    const IndexEntry utf8 = FilterSample(0x2001, "\xC3\x89tat \xE3\x83\x86", {});
    const TextEncoding encoding = TextEncoding::Utf8;
    EXPECT_EQ(Describe(TreeFilter("\xC3\xA9TAT", encoding).Match(utf8)), "itself");
    EXPECT_EQ(Describe(TreeFilter("\xE3\x83\x86", encoding).Match(utf8)), "itself");
    EXPECT_EQ(Describe(TreeFilter("\xC3\x83", encoding).Match(utf8)), "hidden");
    EXPECT_EQ(Describe(TreeFilter("TAT", encoding).Match(utf8)), "itself");
    const IndexFilterMatch byName = TreeFilter("mapped").Match(mapping);
    EXPECT_TRUE(byName.ShowsSubindex(2));
    EXPECT_FALSE(byName.ShowsSubindex(0));
    EXPECT_TRUE(TreeFilter().IsEmpty());
    EXPECT_EQ(FilterStatusText(12, 338), "12 of 338 indices");
}

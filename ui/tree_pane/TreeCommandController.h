#pragma once

#include <string>

#include "ui/tree_pane/CommandEnabling.h"
#include "ui/tree_pane/NodeKind.h"

// What the command controller needs of the tree pane: the document's state that enables commands,
// one handler per family of commands, and word that the enabling may have changed.
class TreeCommandTarget {
public:
    virtual ~TreeCommandTarget() = default;

    virtual bool IsModified() const = 0;
    virtual bool CanUndo() const = 0;
    virtual bool CanRedo() const = 0;

    // New, Open, Save, Save As, Exit, the imports and the create commands.
    virtual void RunFileCommand(int commandId) = 0;
    // Expanding and collapsing the root and the dictionary, and the filter.
    virtual void RunTreeCommand(int commandId) = 0;
    // The four section dialogs.
    virtual void RunSectionCommand(int commandId) = 0;
    // New index, New subindex, Edit, Delete, Copy and Paste.
    virtual void RunEditCommand(int commandId) = 0;
    // Undo and Redo.
    virtual void RunHistoryCommand(int commandId) = 0;
    virtual void CommandsChanged() = 0;
};

// The tree pane's commands as the menus, accelerators and toolbar reach them: which of them the pane
// handles, their enabling, their routing to the tree, and what the commands keep between runs: the
// kind of the selected node, the copy buffer, whether a project is loaded, the paths last chosen and
// the Edit command's text.
class TreeCommandController {
public:
    explicit TreeCommandController(TreeCommandTarget& target) : m_target(target) {}

    static bool HasHandler(int commandId);
    CommandState GetCommandState() const;
    bool IsCommandEnabled(int commandId) const;
    // Runs the command when it is enabled, then tells the target that the enabling may have changed.
    void OnCommand(int commandId);

    // The selected node. An index node may take subindices by the document's rule; a subindex node
    // always can (beside it).
    void Select(NodeKind kind, bool canAddSubindex);
    NodeKind SelectedKind() const { return m_selected; }
    bool IsIndexSelected() const { return m_selected == NodeKind::Index; }
    bool IsSubindexSelected() const { return m_selected == NodeKind::Subindex; }
    bool CanAddSubindex() const { return m_bCanAddSubindex; }
    // The Edit command's text for the last index or subindex selected.
    const std::string& EditCommandLabel() const { return m_strEditText; }

    bool IsProjectLoaded() const { return m_bProjectLoaded; }
    void SetProjectLoaded(bool loaded) { m_bProjectLoaded = loaded; }

    // The copy buffer: a Copy of the selected index or subindex node, with the node's images for the
    // pasted one. The flags follow what the document still holds.
    void Copied(int image, int selectedImage);
    void FollowCopyBuffer(bool documentHoldsIndex, bool documentHoldsSubindex);
    bool IsIndexCopied() const { return m_bIndexCopied; }
    bool IsSubindexCopied() const { return m_bSubindexCopied; }
    int CopiedImage() const { return m_nCopiedImage; }
    int CopiedSelectedImage() const { return m_nCopiedSelectedImage; }

    // The paths the import, export and generation last used, which their messages name.
    const std::string& EdsFilePath() const { return m_strEdsFilePath; }
    void SetEdsFilePath(const std::string& path) { m_strEdsFilePath = path; }
    const std::string& SourceFilePath() const { return m_strSourceFilePath; }
    void SetSourceFilePath(const std::string& path) { m_strSourceFilePath = path; }

private:
    TreeCommandTarget& m_target;
    NodeKind m_selected = NodeKind::None;
    bool m_bCanAddSubindex = false;
    bool m_bProjectLoaded = false;
    bool m_bIndexCopied = false;
    bool m_bSubindexCopied = false;
    int m_nCopiedImage = 0;
    int m_nCopiedSelectedImage = 0;
    std::string m_strEdsFilePath;
    std::string m_strSourceFilePath;
    std::string m_strEditText = InitialEditCommandText;
};

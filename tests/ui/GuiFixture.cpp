#include "GuiFixture.h"

#include <QAction>
#include <QApplication>
#include <QToolBar>
#include <QToolButton>

#include "ui/app/QtText.h"

GuiFixture::GuiFixture() {
    document = std::make_unique<CQuillmarkDoc>(platform);
    frame = std::make_unique<CMainFrame>(*document, platform);
    document->OnNewDocument();
    frame->FinishStartup();
    frame->show();
    QApplication::processEvents();
}

GuiFixture::~GuiFixture() {
    frame.reset();
    document.reset();
}

void GuiFixture::Trigger(int commandId) {
    frame->UpdateCommandUI();
    frame->Action(commandId)->trigger();
}

bool GuiFixture::Enabled(int commandId) {
    frame->UpdateCommandUI();
    return frame->Action(commandId)->isEnabled();
}

bool GuiFixture::ToolButtonEnabled(int commandId) {
    frame->UpdateCommandUI();
    auto* toolBar = frame->findChild<QToolBar*>(QStringLiteral("toolBar"));
    QWidget* button = toolBar == nullptr ? nullptr : toolBar->widgetForAction(frame->Action(commandId));
    return button != nullptr && button->isEnabled();
}

std::string GuiFixture::ExamplePath() {
    return std::string(QM_EXAMPLES_DIR) + "/io_device.eds";
}

std::string GuiFixture::TempFile(const char* name) const {
    return PathFromQt(temp.filePath(QString::fromLatin1(name)));
}

void GuiFixture::ImportExample() {
    platform.QueueChosenFile(ExamplePath());
    platform.ExpectMessage("The file " + ExamplePath() + " was successfully readed!", "Read EDS file",
                           MsgIcon::Information);
    Trigger(Cmd::ImportEds);
}

QStringList GuiFixture::DictionaryLabels() const {
    QStringList labels;
    QTreeWidgetItem* dictionary = Tree().DictionaryItem();
    for (int i = 0; dictionary != nullptr && i < dictionary->childCount(); ++i) {
        labels << dictionary->child(i)->text(0);
    }
    return labels;
}

QTreeWidgetItem* GuiFixture::IndexNode(unsigned index) const {
    QTreeWidgetItem* dictionary = Tree().DictionaryItem();
    for (int i = 0; dictionary != nullptr && i < dictionary->childCount(); ++i) {
        if (Tree().IndexFromItem(dictionary->child(i)) == index) {
            return dictionary->child(i);
        }
    }
    return nullptr;
}

QTreeWidgetItem* GuiFixture::SubindexNode(unsigned index, unsigned subindex) const {
    QTreeWidgetItem* node = IndexNode(index);
    for (int i = 0; node != nullptr && i < node->childCount(); ++i) {
        if (Tree().SubindexFromItem(node->child(i)) == subindex) {
            return node->child(i);
        }
    }
    return nullptr;
}

void GuiFixture::Select(QTreeWidgetItem* item) {
    Tree().setCurrentItem(item);
}

QString GuiFixture::Field(const char* objectName) const {
    auto* label = frame->findChild<QLabel*>(QString::fromLatin1(objectName));
    return label == nullptr ? QStringLiteral("<missing %1>").arg(QString::fromLatin1(objectName))
                            : label->text();
}

bool GuiFixture::Checked(const char* objectName) const {
    auto* box = frame->findChild<QAbstractButton*>(QString::fromLatin1(objectName));
    return box != nullptr && box->isChecked();
}

QString GuiFixture::EditorState() {
    QStringList state;
    state << PathToQt(document->GetTitle()) << PathToQt(document->GetPathName())
          << QStringLiteral("modified=%1 named=%2 visible=%3")
                 .arg(document->IsModified())
                 .arg(document->IsNamed())
                 .arg(frame->isVisible())
          << frame->windowTitle();
    state << (Tree().RootItem() == nullptr ? QStringLiteral("(no tree)") : Tree().RootItem()->text(0));
    state << (Tree().currentItem() == nullptr ? QStringLiteral("(no selection)")
                                              : Tree().currentItem()->text(0));
    state << DictionaryLabels().join(QLatin1Char(','));
    const CommandState flags = Tree().GetCommandState();
    state << QStringLiteral("loaded=%1 flags=%2%3%4%5%6%7%8%9")
                 .arg(flags.projectLoaded)
                 .arg(flags.indexSelected)
                 .arg(flags.subindexSelected)
                 .arg(flags.dictionarySelected)
                 .arg(flags.fileInfoSelected)
                 .arg(flags.deviceInfoSelected)
                 .arg(flags.dummyUsageSelected)
                 .arg(flags.commentsSelected)
                 .arg(flags.canAddSubindex);
    QStringList enabled;
    frame->UpdateCommandUI();
    for (QAction* action : frame->findChildren<QAction*>()) {
        if (action->isEnabled() && !action->objectName().isEmpty()) {
            enabled << action->objectName();
        }
    }
    enabled.sort();
    state << enabled.join(QLatin1Char(' '));
    return state.join(QLatin1Char('\n'));
}

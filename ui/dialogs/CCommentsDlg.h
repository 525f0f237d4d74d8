#pragma once

#include <vector>

#include "model/CommentLine.h"
#include "platform/SectionDialogs.h"
#include "ui/dialogs/CSectionDialog.h"

class QPlainTextEdit;

// "EDS Comments": the comment lines in one text box, one per line; Enter starts a new line there.
// OK waits until the box has had the focus or was changed.
class CCommentsDlg : public CSectionDialog, public CommentsDialog {
    Q_OBJECT
public:
    CCommentsDlg(Platform& platform, const QtText& qtText, QWidget* parent);

    void Load(const std::vector<CommentLine>& record) override;
    bool Run() override { return RunModal(); }
    void Store(std::vector<CommentLine>& record) const override { record = m_lines; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Validate() override;
    void OnTextChanged();
    QString PlainText() const;

    QPlainTextEdit* m_text;
    int m_limit = 0;
    std::vector<CommentLine> m_lines;
};

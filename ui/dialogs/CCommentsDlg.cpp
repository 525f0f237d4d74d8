#include "ui/dialogs/CCommentsDlg.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include "ui/app/QtText.h"
#include "ui/dialogs/CommentsText.h"
#include "ui/dialogs/SectionFields.h"

CCommentsDlg::CCommentsDlg(Platform& platform, const QtText& qtText, QWidget* parent)
    : CSectionDialog(platform, qtText, "EDS Comments", "commentsDialog", "&OK", parent) {
    m_text = new QPlainTextEdit;
    m_text->setObjectName(QStringLiteral("editComments"));
    m_text->setProperty("controlId", 1142);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on to the buttons rather than into the text.
    m_text->setTabChangesFocus(true);
    m_text->setMinimumSize(520, 240);
    m_text->installEventFilter(this);
    Body()->addWidget(m_text);
    // Enter belongs to the text box here, so OK is no default button.
    OkButton()->setDefault(false);
    OkButton()->setEnabled(false);
    SetTabOrder({m_text});
    connect(m_text, &QPlainTextEdit::textChanged, this, &CCommentsDlg::OnTextChanged);
}

void CCommentsDlg::Load(const std::vector<CommentLine>& record) {
    m_lines = record;
    const QString shown = m_qtText.ToQt(CommentsText(record));
    m_limit = TextLimit(CommentsCharLimit, static_cast<std::size_t>(shown.size()));
    const QSignalBlocker blocker(m_text);
    m_text->setPlainText(shown);
}

QString CCommentsDlg::PlainText() const {
    // The raw text keeps non-breaking spaces, which the plain-text form would turn into blanks.
    QString text = m_text->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

bool CCommentsDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_text && event->type() == QEvent::FocusIn) {
        OkButton()->setEnabled(true);
    }
    return CSectionDialog::eventFilter(watched, event);
}

void CCommentsDlg::OnTextChanged() {
    OkButton()->setEnabled(true);
    QTextCursor cursor = m_text->textCursor();
    const TextCut cut = OverflowCut(static_cast<int>(PlainText().size()), cursor.position(), m_limit);
    if (cut.count == 0) {
        return;
    }
    // Typing or pasting past the limit keeps only what fits, as a limited edit box does.
    const QSignalBlocker blocker(m_text);
    cursor.setPosition(cut.position);
    cursor.setPosition(cut.position + cut.count, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    m_text->setTextCursor(cursor);
}

bool CCommentsDlg::Validate() {
    const QString plain = PlainText();
    const std::string text = m_qtText.FromQt(plain);
    if (const auto problem = CommentsLineProblem(text)) {
        Refuse(m_text, *problem);
        return false;
    }
    std::vector<CommentLine> lines = CommentLinesFromText(text);
    // A line left as it was keeps its bytes, even those the encoding could not show.
    const QStringList shown = plain.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < shown.size() && i < std::ssize(lines) && i < std::ssize(m_lines); ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (shown[i] == m_qtText.ToQt(m_lines[at].text)) {
            lines[at].text = m_lines[at].text;
        }
    }
    m_lines = std::move(lines);
    return true;
}

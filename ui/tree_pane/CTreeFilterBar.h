#pragma once

#include <QWidget>

class QLineEdit;

// The field above the project tree that filters it as the user types. Enter asks for the next match,
// Escape or the close button for the whole tree again.
class CTreeFilterBar : public QWidget {
    Q_OBJECT
public:
    explicit CTreeFilterBar(QWidget* parent = nullptr);

    QLineEdit* Edit() const { return m_edit; }
    // Shows the bar with the focus in the field and its text selected, ready to be typed over.
    void Open();
    // Empties the field without announcing it.
    void ClearQuietly();

signals:
    void TextChanged(const QString& text);
    void NextMatchRequested();
    void CloseRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_edit;
};

#pragma once

#include <QWidget>

class QCheckBox;
class QRadioButton;

namespace Scripter {

// The "Direction" and "Options" groups that the find and the replace dialog share.
class SearchOptions : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(SearchOptions)

public:
    explicit SearchOptions(QWidget *parent = nullptr);

    QRadioButton *forwardButton() const;
    QRadioButton *backwardButton() const;
    QCheckBox *wholeWordsBox() const;
    QCheckBox *caseSensitiveBox() const;
    QCheckBox *startAtBeginningBox() const;
    QCheckBox *wrapAroundBox() const;

    bool forward() const;
    bool wholeWords() const;
    bool caseSensitive() const;
    // True unless "Start at beginning" is checked.
    bool startAtCursor() const;
    // Whether a search that finds nothing up to the end of the text goes on from its other end.
    bool wrapAround() const;

private:
    QRadioButton *m_forwardButton;
    QRadioButton *m_backwardButton;
    QCheckBox *m_wholeWordsBox;
    QCheckBox *m_caseSensitiveBox;
    QCheckBox *m_startAtBeginningBox;
    QCheckBox *m_wrapAroundBox;
};

} // namespace Scripter

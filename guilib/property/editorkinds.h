#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace GuiLib {

// The editor kinds that a property may offer, named by the keywords of its "Editor" attribute
// (SRCore::XMLValues::EDITOR_..., for example "allfiles;filepatterns;regexp;scriptexp"): their
// menu labels, the fixed values that the literal kinds set and what choosing a kind does. One
// table answers all of these, so the menu, the value summary and the editor agree.
//
// A keyword may carry a file filter after "|" ("choosefile|Images (*.png)"); every function
// here looks at the keyword before it.
class EditorKinds
{
    Q_DECLARE_TR_FUNCTIONS(GuiLib::EditorKinds)

public:
    enum class Action {
        FixedValue,   // sets a fixed value at once
        Inline,       // the value is typed or picked in place
        ChooseFile,   // a file dialog
        ChooseFolder, // a folder dialog
        Dialog,       // a value dialog, made by the application proxy's factory
        NoEditor,     // kinds without an editor in this program, and unknown keywords
        DisplayFlag,  // "popup" and "hidden": how a value shows, not a way to set it
    };

    EditorKinds() = delete;

    // The ";"-separated keyword list of an "Editor" attribute, empty parts dropped.
    static QStringList split(const QString &editors);
    static QString baseKeyword(const QString &keyword);
    // The file filter after "|"; empty when there is none.
    static QString fileFilter(const QString &keyword);

    // The menu label (translated). Some kinds read differently for folder filters ("All
    // folders" instead of "All files"); an unknown keyword is its own label.
    static QString label(const QString &keyword, const QString &type);
    static Action action(const QString &keyword);
    // The value that a literal kind sets for a property of `type`; null for other kinds.
    static QString fixedValue(const QString &keyword, const QString &type);

    // `keywords` in menu order: the order of ":/xml/xml_EditorsSortOrder.xml", then the
    // keywords that it does not list, in their own order.
    static QStringList sortedForMenu(const QStringList &keywords);
};

} // namespace GuiLib

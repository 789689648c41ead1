#pragma once

#include "iproperty.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace GuiLib {

// What a value editor is asked to edit: the editor kind, and the property and owner it edits
// for. The application proxy passes it unchanged to the factory that makes the editor.
struct ValueEditorRequest
{
    // The editor keyword (SRCore::XMLValues::EDITOR_...), possibly with "|" and a file filter.
    QString editorType;
    // The editor's window title.
    QString caption;
    // The value type of the property (SRCore::XMLValues::EDITORTYPE_...).
    QString propertyType;
    // The property's tag and the owner's object type (IPropertyParent::objectType()): they
    // name the settings that an editor keeps per property, such as the last folder used.
    QString tag;
    QString ownerType;
    // The property's editor list and current editor keyword.
    QStringList editors;
    QString currentEditor;
    PropertyAttributes attributes;
    QString currentValue;
    // The editor keyword that produced `currentValue`; differs from `currentEditor` when the
    // user has just chosen another kind. Editors that start from the value look at it.
    QString valueEditor;
    // The attributes of the field the property was built from that editors use (messages,
    // the external application), by SRCore::XMLKey name; empty ones are left out.
    PropertyAttributes fieldAttributes;
    // For "select many from library": the items that the owner offers for the property.
    QStringList libraryItems;
    // A text that an editor hands on unchanged to the editors it opens itself.
    QString context;
    // The parent of the editor's dialog; may be null.
    QWidget *parent = nullptr;
};

} // namespace GuiLib

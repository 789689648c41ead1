#pragma once

#include "flowobject.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <memory>

namespace SRCore {

struct XmlError;

// A flow: a header object (fields Type, Name, Running, Description, ...) and the flow objects,
// each with an id unique in the flow. Saved as the flow document described in
// docs/flow-document.md. Not copyable: objects are handles into the flow.
class Flow
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::Flow)

public:
    explicit Flow(const QString &id = QString());
    ~Flow();
    Flow(const Flow &) = delete;
    Flow &operator=(const Flow &) = delete;

    static std::unique_ptr<Flow> createEmptyFlow(const QString &id);

    QString getId() const;
    FlowObject getHeader() const;
    QString getFlowName() const; // the header's Name field
    QString getFolderName() const;
    void setFolderName(const QString &name);

    // Parses the XML text of an `Object` element and adds the object with the next free id
    // (one more than the highest numeric id, starting at 1). Null with `error` filled when the
    // text cannot be read; the flow is then unchanged.
    FlowObject createFromXml(const QString &xml, XmlError *error = nullptr);
    // Adds an independent copy of `object`. The copy keeps the object's id unless it is empty
    // or already used in this flow, in which case it gets the next free id.
    FlowObject createFlowObject(const FlowObject &object);

    FlowObject getFlowObject(const QString &id) const; // null when there is none
    // All objects in the order they were added, or those whose Type field equals `type`.
    QList<FlowObject> getFlowObjects(const QString &type = QString()) const;
    bool removeFlowObject(const QString &id);

    // The flow document. `overwrite` false refuses to replace an existing file. The file is
    // replaced only once the whole document is written.
    bool save(const QString &path, bool overwrite = true, QString *errorMessage = nullptr) const;
    QString toXml() const;
    // Replaces the contents by the flow document in `xml`; on failure the flow is unchanged
    // and `error` says where and why.
    bool openFromString(const QString &xml, XmlError *error = nullptr);

private:
    QString m_id;
    QString m_folderName;
    FlowObject m_header;
    QList<FlowObject> m_objects;
};

} // namespace SRCore

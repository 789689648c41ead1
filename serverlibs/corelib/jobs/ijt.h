#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <utility>

namespace SRCore {

class Metadata;
class XmlDataReader;
class XmlDataWriter;

// The job ticket: what the server knows about one job besides its file or folder (where it came
// from, where it is, its family, private data, e-mail information and metadata datasets). A
// ticket is stored as "<family id>.xml" in the tickets folder (docs/job-ticket.md); every text
// round-trips exactly.
class IJT
{
    Q_DECLARE_TR_FUNCTIONS(SRCore::IJT)

public:
    static constexpr int kFormatVersion = 1;

    // A flow event that concerned the job, such as its detection in a folder
    // (XMLKey::OCCURRENCEDETECTED).
    struct Occurrence
    {
        QString kind;
        QString objectId;
        QString objectName;
        QString flowId;
        QString flowName;
        QDateTime time; // UTC, millisecond precision
    };

    // One step of the job through a flow: the job lies at `path` and waits for an element of
    // type `elementType` (XMLValues::SCRIPTELEMENT, ...) with `priority` (XMLValues::LOW, ...).
    // `parentActionId` names the step before it, "0" for none.
    struct Action
    {
        QString parentActionId;
        QString actionId;
        QString path;
        QString elementType;
        QString priority;
    };

    struct EmailInfo
    {
        QString addresses;
        QString body;
    };

    // A metadata dataset: its model (XMLValues::MODEL_XML, MODEL_JDF, MODEL_XMP, MODEL_OPAQUE)
    // and the file that holds its data.
    struct Dataset
    {
        QString name;
        QString model;
        QString backingFile;
    };

    static std::unique_ptr<IJT> createEmptyIJT();

    // The folder where tickets are saved, for the whole process; not created here.
    static void setDir(const QString &folder);
    static QString dir();

    void setFlowInfo(const QString &flowId, const QString &flowName);
    QString getFlowId() const { return m_flowId; }
    QString getFlowName() const { return m_flowName; }

    void setCopiedForConnection(const QString &connectionId);
    QString getCopiedForConnection() const { return m_copiedForConnection; }

    void setState(int state);
    int getState() const { return m_state; }

    // `path` is the absolute path of the job's file or folder.
    void setActiveFileName(const QString &path);
    QString getActiveFilePath() const { return m_activeFile; }
    // The file or folder name of the active file, with its unique prefix.
    QString getActiveFileName() const;

    void setActiveActionId(const QString &actionId);
    QString getActiveActionId() const { return m_activeActionId; }

    // Appends an occurrence stamped with the current time.
    void addOccurrence(const QString &kind, const QString &objectId, const QString &objectName,
                       const QString &flowId, const QString &flowName);
    QList<Occurrence> getOccurrences() const { return m_occurrences; }

    void setArrivalStamp(qint64 stamp);
    qint64 getArrivalStamp() const { return m_arrivalStamp; }

    // The unique prefix of the job ("_00001_"); it names the ticket file.
    void setFamilyID(const QString &prefix);
    QString getFamilyID() const { return m_familyId; }

    void addAction(const QString &parentActionId, const QString &actionId, const QString &path,
                   const QString &elementType, const QString &priority);
    QList<Action> getActions() const { return m_actions; }

    // The job's hierarchy location (the folder path that the server records for it).
    void setLocationPath(const QString &hierarchy);
    QString getLocationPath() const { return m_locationPath; }

    void setJobState(const QString &state);
    QString getJobState() const { return m_jobState; }

    void addEmailInfo(const QString &addresses, const QString &bodyText);
    // Replaces all e-mail information.
    void setEmailInfos(const QList<EmailInfo> &infos);
    QList<EmailInfo> getEmailInfos() const { return m_emailInfos; }

    // Sets or replaces the value of `key`; any key, empty ones too.
    void setPrivateData(const QString &key, const QString &value);
    bool hasPrivateData(const QString &key) const { return m_privateData.contains(key); }
    QString getPrivateData(const QString &key) const { return m_privateData.value(key); }
    QStringList getPrivateDataKeys() const { return m_privateData.keys(); }

    // Sets or replaces the dataset `name`. False, and nothing changed, when the name is empty
    // or the model is not one of the four.
    bool setDataset(const QString &name, const QString &model, const QString &backingFilePath);
    // The same with the model and backing file of a loaded dataset (Metadata::loadFromFile).
    bool setDataset(const QString &name, const Metadata &metadata);
    // The dataset `name`; false, and `dataset` untouched, when the ticket has none of that name.
    bool getJobDataset(const QString &name, Dataset *dataset) const;
    QList<Dataset> getJobDatasets() const { return m_datasets; }

    // Writes the ticket into dir() as FileManager::ticketFileName(family id), replacing an
    // older ticket of the job in one step. False, and nothing written, without a tickets
    // folder or without a valid family id.
    bool save(QString *errorMessage = nullptr) const;
    // Reads a ticket file. Null, with the reason, when the file is missing, unreadable,
    // malformed, truncated, of another kind or of a newer format.
    static std::unique_ptr<IJT> load(const QString &path, QString *errorMessage = nullptr);

private:
    IJT() = default;

    // The ticket's single texts with their element names, for writing and reading alike.
    using TextField = std::pair<const QString *, QString IJT::*>;
    static const std::array<TextField, 8> &textFields();

    void write(XmlDataWriter &writer) const;
    bool read(XmlDataReader &reader);
    bool readOccurrence(XmlDataReader &reader);
    bool readAction(XmlDataReader &reader);
    bool readEmailInfo(XmlDataReader &reader);
    bool readPrivateData(XmlDataReader &reader);
    bool readDataset(XmlDataReader &reader);

    QString m_familyId;
    qint64 m_arrivalStamp = 0;
    QString m_flowId;
    QString m_flowName;
    QString m_copiedForConnection;
    int m_state = 0;
    QString m_activeFile;
    QString m_activeActionId;
    QString m_locationPath;
    QString m_jobState;
    QList<Occurrence> m_occurrences;
    QList<Action> m_actions;
    QList<EmailInfo> m_emailInfos;
    QMap<QString, QString> m_privateData;
    QList<Dataset> m_datasets;
};

} // namespace SRCore

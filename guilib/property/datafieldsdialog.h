#pragma once

#include "tablevaluedialog.h"

#include "corelib/values/universaldata.h"

class QPushButton;

namespace GuiLib {

// Edits the private data of a job (tag and value) or its metadata datasets (name, data model
// and backing file) as a table. Tags and dataset names must be filled in and unique; a
// dataset's backing file must exist and, for the XML, JDF and XMP models, hold well-formed XML.
// The backing file is chosen with "Choose metadata backing file...", starting in the folder
// last used for the dataset's model ("Editors/Metadata_<model>_LastPath").
class DataFieldsDialog : public TableValueDialog
{
    Q_OBJECT

public:
    enum class Use { PrivateData, MetadataDatasets };

    DataFieldsDialog(QWidget *parent, const QString &title, Use use,
                     const QList<SRCore::UniversalData> &fields);

    QList<SRCore::UniversalData> fields() const;

public slots:
    void chooseBackingFileClicked();

protected:
    QStringList newRow() const override;
    QString problem() const override;

private:
    QStringList names() const;

    Use m_use;
    QPushButton *m_chooseButton = nullptr;
};

} // namespace GuiLib

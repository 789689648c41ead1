#include "datafieldsdialog.h"

#include "iappproxy.h"

#include "corelib/metadata/metadata.h"
#include "corelib/metadata/metadatamanager.h"
#include "corelib/vocabulary/xmlvalues.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>

namespace GuiLib {

namespace {

namespace XMLValues = SRCore::XMLValues;

constexpr int NameColumn = 0;
// Private data: tag, value. Datasets: name, model, backing file.
constexpr int ModelColumn = 1;
constexpr int FileColumn = 2;

const QStringList &models()
{
    static const QStringList models{XMLValues::MODEL_XML, XMLValues::MODEL_JDF,
                                    XMLValues::MODEL_XMP, XMLValues::MODEL_OPAQUE};
    return models;
}

QString filePattern(const QString &model)
{
    if (model == XMLValues::MODEL_XML) {
        return QStringLiteral("*.xml");
    }
    if (model == XMLValues::MODEL_JDF) {
        return QStringLiteral("*.jdf");
    }
    if (model == XMLValues::MODEL_XMP) {
        return QStringLiteral("*.xmp");
    }
    return QStringLiteral("*.*");
}

QString lastPathKey(const QString &model)
{
    const QString known = models().contains(model) ? model : XMLValues::MODEL_OPAQUE;
    return QStringLiteral("Editors/Metadata_") + known + QStringLiteral("_LastPath");
}

// Why the backing file `path` cannot hold a dataset of `model`; empty when it can. The file is
// read as the model reads it when a test runs.
QString backingFileProblem(const QString &name, const QString &model, const QString &path)
{
    const std::unique_ptr<SRCore::Metadata> metadata = SRCore::MetadataManager::create(model);
    if (!metadata) {
        return DataFieldsDialog::tr("the data model '%1' of '%2' is none of XML, JDF, XMP and "
                                    "Opaque")
            .arg(model, name);
    }
    if (path.isEmpty()) {
        return DataFieldsDialog::tr("choose the backing file of '%1'").arg(name);
    }
    QString error;
    if (!metadata->loadFromFile(path, &error)) {
        return DataFieldsDialog::tr("'%1': %2").arg(name, error);
    }
    return {};
}

} // namespace

DataFieldsDialog::DataFieldsDialog(QWidget *parent, const QString &title, Use use,
                                   const QList<SRCore::UniversalData> &fields)
    : TableValueDialog(parent, title, QString(),
                       use == Use::PrivateData
                           ? QStringList{tr("Tags"), tr("Value")}
                           : QStringList{tr("Dataset"), tr("Model"), tr("Backing file")},
                       tr("Invalid metadata field definition"))
    , m_use(use)
{
    if (use == Use::MetadataDatasets) {
        setChoiceColumn(ModelColumn, models());
        m_chooseButton = new QPushButton(tr("Choose metadata backing file..."), this);
        m_chooseButton->setObjectName(QStringLiteral("chooseButton"));
        addSideButton(m_chooseButton);
        connect(m_chooseButton, &QPushButton::clicked, this,
                &DataFieldsDialog::chooseBackingFileClicked);
    }
    for (const SRCore::UniversalData &field : fields) {
        appendRow(use == Use::PrivateData ? QStringList{field.first, field.third}
                                          : QStringList{field.first, field.second, field.third});
    }
    validate();
}

QList<SRCore::UniversalData> DataFieldsDialog::fields() const
{
    QList<SRCore::UniversalData> result;
    for (const QStringList &row : rows()) {
        result.append(m_use == Use::PrivateData
                          ? SRCore::UniversalData{row.at(0), QString(), row.at(1)}
                          : SRCore::UniversalData{row.at(0), row.at(1), row.at(2)});
    }
    return result;
}

QStringList DataFieldsDialog::names() const
{
    QStringList names;
    for (const QStringList &row : rows()) {
        names.append(row.at(NameColumn));
    }
    return names;
}

QStringList DataFieldsDialog::newRow() const
{
    if (m_use == Use::PrivateData) {
        return {freeName(QStringLiteral("MyTag"), names()), QString()};
    }
    return {freeName(XMLValues::MODEL_XML, names()), XMLValues::MODEL_XML, QString()};
}

QString DataFieldsDialog::problem() const
{
    QStringList seen;
    for (const QStringList &row : rows()) {
        const QString &name = row.at(NameColumn);
        if (name.trimmed().isEmpty()) {
            return m_use == Use::PrivateData ? tr("a tag is empty") : tr("a dataset has no name");
        }
        if (seen.contains(name)) {
            return m_use == Use::PrivateData ? tr("the tag '%1' is used twice").arg(name)
                                             : tr("the dataset '%1' is defined twice").arg(name);
        }
        seen.append(name);
        if (m_use == Use::MetadataDatasets) {
            const QString reason =
                backingFileProblem(name, row.at(ModelColumn), row.at(FileColumn));
            if (!reason.isEmpty()) {
                return reason;
            }
        }
    }
    return {};
}

void DataFieldsDialog::chooseBackingFileClicked()
{
    const int row = currentRow();
    if (row < 0) {
        return;
    }
    const QString model = cellText(row, ModelColumn);
    IAppProxy *proxy = IAppProxy::instance();
    const QString startFolder =
        proxy ? proxy->readSetting(lastPathKey(model), QVariant()).toString() : QString();
    QFileDialog dialog(this, tr("Choose metadata backing file"), startFolder,
                       tr("Metadata files") + QStringLiteral(" (") + filePattern(model)
                           + QLatin1Char(')'));
    dialog.setOptions(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().constFirst();
    setCellText(row, FileColumn, path);
    if (proxy) {
        proxy->writeSetting(lastPathKey(model), QFileInfo(path).absolutePath());
    }
}

} // namespace GuiLib

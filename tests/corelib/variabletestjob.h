#pragma once

// A job as the test flow leaves it on disk, for the variable and condition tests: a PDF file
// with its ticket (hierarchy, e-mail, private data, an XML dataset) in a flow where a
// connection leads from the input folder to the script element, and a folder job.

#include "common/testfiles.h"

#include "corelib/flow/flow.h"
#include "corelib/jobs/ijt.h"
#include "corelib/variables/variablecontext.h"
#include "corelib/vocabulary/xmlkey.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <memory>

namespace VariableTest {

inline const QByteArray kPdf =
    "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<< /Type /Catalog >>\nendobj\n";

inline const QByteArray kOrder = R"(<?xml version="1.0" encoding="UTF-8"?>
<order id="A-17" xmlns:inv="urn:example:invoice">
  <customer>Acme &amp; Sons</customer>
  <item qty="2">Paper</item>
  <item qty="3">Ink</item>
  <rush>true</rush>
  <inv:total>22.75</inv:total>
  <due>2024-06-01T09:15:00Z</due>
</order>
)";

// The modification time of the job file, and the clock of the evaluations.
inline const QDateTime kModified(QDate(2024, 5, 6), QTime(14, 30));
inline const QDateTime kNow(QDate(2024, 7, 1), QTime(8, 5, 9));

class Job
{
public:
    Job()
    {
        filePath = m_dir.filePath(QStringLiteral("inFolder2/_00001_Invoice 42.pdf"));
        folderPath = m_dir.filePath(QStringLiteral("inFolder2/_00002_Proofs.v2"));
        orderPath = m_dir.filePath(QStringLiteral("datasets/order.xml"));
        m_ok = TestFiles::writeFile(filePath, kPdf)
               && TestFiles::writeFile(folderPath + QStringLiteral("/a.txt"), "12345")
               && TestFiles::writeFile(folderPath + QStringLiteral("/sub/b.txt"), "678")
               && TestFiles::writeFile(folderPath + QStringLiteral("/sub/deeper/c.txt"), "9")
               && TestFiles::writeFile(orderPath, kOrder);
        QFile file(filePath);
        m_ok = m_ok && file.open(QIODevice::ReadWrite)
               && file.setFileTime(kModified, QFileDevice::FileModificationTime);

        ticket = SRCore::IJT::createEmptyIJT();
        ticket->setFlowInfo(QStringLiteral("1"), QStringLiteral("Ticket flow"));
        ticket->setActiveFileName(filePath);
        ticket->addOccurrence(SRCore::XMLKey::OCCURRENCEDETECTED, QStringLiteral("2"),
                              QStringLiteral("inFolder2"), QStringLiteral("1"),
                              QStringLiteral("Proofing"));
        ticket->setArrivalStamp(17);
        ticket->setFamilyID(QStringLiteral("_00001_"));
        ticket->setLocationPath(QStringLiteral("Customers/Acme/2024"));
        ticket->setJobState(QStringLiteral("Proof sent"));
        ticket->addEmailInfo(QStringLiteral("a@example.com; b@example.com"),
                             QStringLiteral("Hello"));
        ticket->setPrivateData(QStringLiteral("Customer"), QStringLiteral("Acme"));
        ticket->setPrivateData(QStringLiteral("Copies"), QStringLiteral("250"));
        ticket->setDataset(QStringLiteral("Order"), QStringLiteral("XML"), orderPath);

        flow = SRCore::Flow::createEmptyFlow(QStringLiteral("1"));
        flow->getHeader().createField(SRCore::XMLKey::NAME).setValue(QStringLiteral("Proofing"));
        addObject(QStringLiteral("1"), QStringLiteral("Router"));
        addObject(QStringLiteral("2"), QStringLiteral("inFolder2"));
        SRCore::FlowObject connection =
            addObject(QStringLiteral("3"), QStringLiteral("From customers"));
        connection.createField(SRCore::XMLKey::SOURCEOBJECT).setValue(QStringLiteral("2"));
        connection.createField(SRCore::XMLKey::DESTOBJECT).setValue(QStringLiteral("1"));
    }

    bool isReady() const { return m_ok && m_dir.isValid(); }
    QString dir() const { return m_dir.path(); }

    SRCore::VariableContext context() const
    {
        SRCore::VariableContext context;
        context.ticket = ticket.get();
        context.flow = flow.get();
        context.elementId = QStringLiteral("1");
        context.now = kNow;
        return context;
    }

    QString filePath;
    QString folderPath;
    QString orderPath;
    std::unique_ptr<SRCore::IJT> ticket;
    std::unique_ptr<SRCore::Flow> flow;

private:
    SRCore::FlowObject addObject(const QString &id, const QString &name)
    {
        SRCore::FlowObject object = SRCore::FlowObject::create();
        object.setProperty(SRCore::XMLKey::ID_, id);
        object.createField(SRCore::XMLKey::NAME).setValue(name);
        return flow->createFlowObject(object);
    }

    QTemporaryDir m_dir;
    bool m_ok = false;
};

} // namespace VariableTest

#include "qsobjectfactory.h"

QSObjectFactory::QSObjectFactory(QObject *parent)
    : QObject(parent)
{}

bool QSObjectFactory::registerClass(const QString &className, QString *errorMessage)
{
    if (className.trimmed().isEmpty()) {
        if (errorMessage) {
            *errorMessage = tr("A class needs a name to be registered");
        }
        return false;
    }
    if (!m_classNames.contains(className)) {
        m_classNames.append(className);
    }
    return true;
}

#pragma once

#include <QSharedPointer>
#include <QString>
#include <QStringList>

namespace BCFLib {
class BCFModel;
}

namespace BCFTool {

// A BCF file read into a model of the model library, on the calling thread, with the reader's
// verdict: whether the file can be used at all and what was left out.
class LoadedDocument
{
public:
    // Reads path; a missing file or a folder gives an unusable document with a short message.
    static LoadedDocument read(const QString& path);

    bool isUsable() const { return m_usable; }
    QSharedPointer<BCFLib::BCFModel> model() const { return m_model; }
    // The model library's title and message for the user: empty when the file was read
    // completely, the losses when it was read with losses, the reason when it is unusable.
    QString title() const { return m_title; }
    QString message() const { return m_message; }

private:
    bool m_usable = false;
    QSharedPointer<BCFLib::BCFModel> m_model;
    QString m_title;
    QString m_message;
};

} // namespace BCFTool

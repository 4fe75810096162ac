#pragma once

#include <QString>

// The single document. It holds no data: the model library lives in the main
// frame. Opening a file reads nothing and saving writes nothing; only the
// document's title and path follow the file commands.
class CVarnholtDoc {
public:
    // Starts a new, untitled document.
    void OnNewDocument();
    // Takes the file as the document; false when it cannot be read, with
    // the reason kept as an errno value in openError().
    bool OnOpenDocument(const QString& path);
    int openError() const { return m_openError; }
    // Takes the file as the document. A file that does not exist yet is
    // created empty; an existing file is left exactly as it is, since the
    // document has nothing to write. False when the file cannot be created.
    bool OnSaveDocument(const QString& path);

    const QString& path() const { return m_path; }
    // The file name, or "无标题" for a document never saved.
    QString title() const;

private:
    QString m_path;
    int m_openError = 0;
};

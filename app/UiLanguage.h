#pragma once

#include <QTranslator>

// Qt's own texts in Chinese, whatever the user's locale: the buttons of the
// standard message boxes, the file dialogs, the menus of text fields. Must
// be installed before the first widget exists; uninstalled when destroyed.
class UiLanguage {
public:
    // Dates in the file dialogs follow the system locale's time category,
    // which Qt reads when the application starts: call this before the
    // QApplication exists.
    static void prepareSystemLocale();

    UiLanguage();
    UiLanguage(const UiLanguage&) = delete;
    UiLanguage& operator=(const UiLanguage&) = delete;

    // False when Qt's Chinese catalogue is not on this machine; the program
    // then runs with Qt's English texts.
    bool installed() const { return m_installed; }

private:
    // The few texts of the file dialogs that Qt's catalogue leaves English.
    class CatalogueGaps : public QTranslator {
    public:
        QString translate(const char* context, const char* sourceText, const char* disambiguation,
                          int n) const override;
        bool isEmpty() const override { return false; }
    };

    QTranslator m_qtTexts;
    CatalogueGaps m_gaps;
    bool m_installed = false;
};

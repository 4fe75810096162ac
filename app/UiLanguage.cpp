#include <app/UiLanguage.h>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

#include <cstdlib>
#include <cstring>

void UiLanguage::prepareSystemLocale()
{
    // A locale the user chose for everything stays as it is.
    if (!std::getenv("LC_ALL"))
        setenv("LC_TIME", "zh_CN.UTF-8", 1);
}

UiLanguage::UiLanguage()
{
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    m_installed = m_qtTexts.load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))
                  && QCoreApplication::installTranslator(&m_qtTexts);
    if (m_installed)
        QCoreApplication::installTranslator(&m_gaps);
}

QString UiLanguage::CatalogueGaps::translate(const char* context, const char* sourceText, const char*, int) const
{
    struct Gap {
        const char* context;
        const char* source;
        const char* chinese;
    };
    static const Gap kGaps[] = {
        {"QAbstractFileIconProvider", "Folder", "文件夹"},
        {"QAbstractFileIconProvider", "Drive", "驱动器"},
        {"QLocale", "bytes", "字节"},
    };
    for (const Gap& gap : kGaps) {
        if (std::strcmp(context, gap.context) == 0 && std::strcmp(sourceText, gap.source) == 0)
            return QString::fromUtf8(gap.chinese);
    }
    return {};
}

#include <dialogs/ModelNameField.h>

#include <dialogs/DataExchange.h>

#include <library/ModelFileName.h>

#include <QString>

void ExchangeModelName(DataExchange& dx, QLineEdit* field, std::string& gbkName)
{
    dx.text(field, gbkName);
    dx.check(field, !dx.reading() || IsValidModelName(gbkName),
             QStringLiteral("这个名称不能用作文件名：名称中不能有“/”、“\\”或控制字符，也不能是“.”或“..”。"));
}

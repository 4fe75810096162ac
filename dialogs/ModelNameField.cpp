#include <dialogs/ModelNameField.h>

#include <dialogs/DataExchange.h>
#include <dialogs/UserMessages.h>

#include <library/ModelFileName.h>

void ExchangeModelName(DataExchange& dx, QLineEdit* field, std::string& gbkName)
{
    dx.text(field, gbkName);
    if (dx.reading()) {
        const ModelNameProblem problem = CheckNewModelName(gbkName);
        dx.check(field, problem == ModelNameProblem::None, RefusedNameMessage(problem));
    }
}

#include "editors/site/AccessCodeValidator.h"

QValidator::State TAccessCodeValidator::validate(QString& input, int& pos) const
{
    QString kept;
    int keptPos = 0;
    for (qsizetype i = 0; i < input.size(); ++i) {
        const QChar c = input[i];
        if (c >= QLatin1Char('1') && c <= QLatin1Char('4')) {
            kept += c;
            if (i < pos)
                ++keptPos;
        }
    }
    input = kept;
    pos = keptPos;
    return Acceptable;
}

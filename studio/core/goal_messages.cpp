// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/core/goal_messages.h"

#include <QCoreApplication>
#include <QLocale>
#include <map>
#include <string>

#include "command/number_styles.h"
#include "design/goals.h"

namespace varnel::studio {
namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("GoalMessages", text);
}

// A number the rule gives (written with "."), with the user's separator; a name as it is.
QString Value(const std::string& text) {
    const std::optional<long double> v = ReadDigitsText(text);
    return v ? QLocale().toString(static_cast<double>(*v), 'g', 4) : QString::fromStdString(text);
}

// The sentence of each rule, with %1, %2 for its values.
QString Sentence(const std::string& key, const std::vector<std::string>& values) {
    static const std::map<std::string, const char*> sentences = {
        {"B0", QT_TRANSLATE_NOOP("GoalMessages",
                                 "The field at the centre must lie above 0 and at most 100 T.")},
        {"B0-tol", QT_TRANSLATE_NOOP("GoalMessages",
                                     "The tolerance of B0 must lie between 0.01 % and 50 %.")},
        {"uniform-tol",
         QT_TRANSLATE_NOOP("GoalMessages", "The uniformity must lie between 1e-6 % and 100 %.")},
        {"uniform-radius",
         QT_TRANSLATE_NOOP("GoalMessages", "The uniform sphere's radius must be positive.")},
        {"f", QT_TRANSLATE_NOOP("GoalMessages", "The frequency must lie between 0 and 1e6 Hz.")},
        {"limits", QT_TRANSLATE_NOOP("GoalMessages",
                                     "The largest power, temperature rise and mass must be "
                                     "positive and finite.")},
        {"max-size", QT_TRANSLATE_NOOP("GoalMessages",
                                       "The largest outer radius and length must lie above 0 and "
                                       "at most 100 m.")},
        {"former",
         QT_TRANSLATE_NOOP("GoalMessages", "The bore radius must lie between 0 and 100 m.")},
        {"bore-outer", QT_TRANSLATE_NOOP("GoalMessages",
                                         "The bore and the former's wall (R1 at least %1 mm) must "
                                         "lie below the largest outer radius, %2 mm.")},
        {"sphere-fit", QT_TRANSLATE_NOOP("GoalMessages",
                                         "The uniform sphere does not fit inside the largest "
                                         "outer radius.")},
        {"ambient", QT_TRANSLATE_NOOP("GoalMessages",
                                      "The ambient temperature must lie above %1 °C, where the "
                                      "conductor's resistivity would reach zero, and at most "
                                      "400 °C.")},
        {"class-ambient", QT_TRANSLATE_NOOP("GoalMessages",
                                            "The ambient temperature must lie below the "
                                            "insulation's thermal class.")},
        {"count",
         QT_TRANSLATE_NOOP("GoalMessages", "The number of designs must lie between 1 and 100.")},
        {"wires", QT_TRANSLATE_NOOP("GoalMessages", "The wire catalogue is empty.")},
    };
    if (key == "source" && values.size() == 1) {
        return values[0] == "current"
                   ? QCoreApplication::translate("GoalMessages",
                                                 "The current must be positive and at most 1e6 A.")
                   : QCoreApplication::translate("GoalMessages",
                                                 "The voltage must be positive and at most 1e6 V.");
    }
    const auto found = sentences.find(key);
    if (found == sentences.end())
        return {};
    QString sentence = Tr(found->second);
    // Only the values the words have places for (the ambient's rule also names the metal).
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (!sentence.contains(QLatin1Char('%') + QString::number(k + 1)))
            break;
        sentence = sentence.arg(Value(values[k]));
    }
    return sentence;
}

}  // namespace

QString GoalMessage(const design::GoalError& error) {
    const QString sentence = Sentence(error.key(), error.values());
    return sentence.isEmpty() ? QString::fromUtf8(error.what()) : sentence;
}

}  // namespace varnel::studio

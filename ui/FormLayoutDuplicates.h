#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace tallix {

// One step from an object or a list to a value inside it.
struct JsonStep {
    QString key;          // the key, when the step leaves an object
    qsizetype index = -1; // the position, when it leaves a list
};

// A key written twice in one object, and the way from the top value down to
// that object.
struct DuplicateKey {
    std::vector<JsonStep> path;
    QString key;
};

// The first key that one object of json holds twice. QJsonDocument keeps
// only one of the two values without a word, so the text itself is scanned.
// json must be text that QJsonDocument has accepted.
std::optional<DuplicateKey> FindDuplicateKey(const QByteArray& json);

} // namespace tallix

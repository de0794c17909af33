#include "ui/FormLayoutDuplicates.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

namespace tallix {

namespace {

// One open object or list: the keys seen so far, or the position reached.
struct Frame {
    explicit Frame(bool isObject) : object(isObject), expectKey(isObject) {}
    bool object;
    bool expectKey; // the next string in an object is a key
    QSet<QString> keys;
    QString lastKey;
    qsizetype index = 0;
};

// The string token at json[start] (its opening quote) and the offset just past it.
std::pair<QByteArray, qsizetype> StringToken(const QByteArray& json, qsizetype start) {
    qsizetype end = start + 1;
    while (end < json.size() && json[end] != '"') {
        end += json[end] == '\\' ? 2 : 1;
    }
    return {json.mid(start, end + 1 - start), end + 1};
}

// The text of a string token; escapes are decoded by the JSON reader itself.
QString Decode(const QByteArray& token) {
    if (!token.contains('\\')) {
        return QString::fromUtf8(token.mid(1, token.size() - 2));
    }
    return QJsonDocument::fromJson('[' + token + ']').array().at(0).toString();
}

std::vector<JsonStep> PathTo(const std::vector<Frame>& frames) {
    std::vector<JsonStep> path;
    for (std::size_t i = 0; i + 1 < frames.size(); ++i) {
        const Frame& frame = frames[i];
        path.push_back(frame.object ? JsonStep{frame.lastKey} : JsonStep{{}, frame.index});
    }
    return path;
}

} // namespace

std::optional<DuplicateKey> FindDuplicateKey(const QByteArray& json) {
    std::vector<Frame> frames;
    for (qsizetype at = 0; at < json.size();) {
        const char c = json[at];
        if (c == '"') {
            const auto [token, next] = StringToken(json, at);
            at = next;
            if (!frames.empty() && frames.back().object && frames.back().expectKey) {
                Frame& frame = frames.back();
                frame.lastKey = Decode(token);
                if (frame.keys.contains(frame.lastKey)) {
                    return DuplicateKey{PathTo(frames), frame.lastKey};
                }
                frame.keys.insert(frame.lastKey);
                frame.expectKey = false;
            }
            continue;
        }
        if (c == '{' || c == '[') {
            frames.emplace_back(c == '{');
        } else if ((c == '}' || c == ']') && !frames.empty()) {
            frames.pop_back();
        } else if (c == ',' && !frames.empty()) {
            frames.back().expectKey = frames.back().object;
            ++frames.back().index;
        }
        ++at;
    }
    return std::nullopt;
}

} // namespace tallix

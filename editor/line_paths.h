#pragma once
// What each line of a list gives. With the tree entry of the forbidden
// characters a line is a path: after its leading TABs, every TAB, "/" and "\"
// separates two levels, and each leading TAB stands for one level of the path
// of the nearest line above that gave one. With the other entries a line is
// one folder name.

#include "editor/transform.h"

#include <optional>

namespace ramulo {

struct LinePath {
    QString path;       // its levels joined by the system's separator; empty: no folder
    bool blank = false; // an empty line, or in a tree one of TABs and spaces: never a duplicate
    // Why the path may not be made whatever the destination holds: more
    // leading TABs than the path above has levels, or a level "." or "..",
    // which would leave the destination. Such a path is never looked up.
    std::optional<QString> fault;
};

// Reads the lines of one list, in order.
class LineReader {
public:
    explicit LineReader(NameChain chain) : m_chain(std::move(chain)) {}
    LinePath next(const QString& raw);
    // What a line gives with any other entry: the chain's `name` for it.
    static LinePath flat(const QString& raw, QString name) {
        return {std::move(name), raw.isEmpty(), {}};
    }

private:
    NameChain m_chain;
    QString m_parent; // the path of the nearest line above that gave one
    qsizetype m_parentLevels = 0;
};

} // namespace ramulo

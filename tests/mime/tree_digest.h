#pragma once
// A printable digest of a part tree for whole-message comparisons: every
// part's fields (name, value, charset), its decoded body and its children,
// in order. Two trees with equal digests hold the same data.

#include <string>

#include "mime/mime_part.h"

namespace vellumo::test {

inline void AppendTreeDigest(const MimePart& part, const std::string& path, std::string& out) {
    out += "part " + path + "\n";
    for (const HeaderField& field : part.fields) {
        out += " field [" + field.name + "] [" + field.value + "] [" + field.charset + "]\n";
    }
    // An empty decoded body and no body hold the same data.
    if (part.body.HasBuffer() && part.body.size() > 0) {
        out += " body " + std::to_string(part.body.size()) + " [";
        out.append(part.body.data(), part.body.size());
        out += "]\n";
    } else {
        out += " no body\n";
    }
    int index = 0;
    for (const auto& child : part.children) {
        AppendTreeDigest(*child, path + "." + std::to_string(++index), out);
    }
}

inline std::string TreeDigest(const MimePart& part) {
    std::string out;
    AppendTreeDigest(part, "1", out);
    return out;
}

// Number of parts in the tree and the depth of its deepest part (root = 1).
inline void CountTree(const MimePart& part, int depth, int& parts, int& maxDepth) {
    ++parts;
    if (depth > maxDepth) {
        maxDepth = depth;
    }
    for (const auto& child : part.children) {
        CountTree(*child, depth + 1, parts, maxDepth);
    }
}

}  // namespace vellumo::test

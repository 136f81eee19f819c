// A token's effect on the state set: where the token is allowed, the states
// it adds and removes, the state stack and whether it opens a container.
#pragma once

#include "core/lexicon/TByteSet.h"

namespace quarno {

class TStream;

struct TLP_Effect {
    // Stack flag bits.
    static constexpr uint8_t kPushBefore = 1;
    static constexpr uint8_t kPopBefore = 2;
    static constexpr uint8_t kPushAfter = 4;
    static constexpr uint8_t kPopAfter = 8;

    TByteSet allowed;       // the token is only valid in these states
    TByteSet added;         // states added after the token
    TByteSet removed;       // states removed after the token
    uint8_t context = 0;    // 1: the token opens a container
    uint8_t noChange = 0;   // 1: the state set stays as it is
    uint8_t stackFlags = 0; // kPushBefore | kPopBefore | kPushAfter | kPopAfter
    bool operator==(const TLP_Effect&) const = default;

    // Stream form: the three sets, then the three flag bytes.
    void WriteTo(TStream& stream) const;
    static TLP_Effect ReadFrom(TStream& stream);
};

} // namespace quarno

#pragma once

#include "monkey_action.h"

#include <QString>

#include <optional>
#include <vector>

namespace pokaz::test {

// Plays a stream of actions on a fresh window and checks the invariants
// after every press, move, release, click and double-click.
class MonkeyRun final {
public:
    struct Failure {
        // Index of the action during which an invariant broke.
        std::size_t action = 0;
        QString message;
    };

    std::optional<Failure> play(const std::vector<MonkeyAction>& actions);

    // Of the last play: how many restarts it went through, how many actions
    // it left out because they would have pressed "Kraj".
    int restarts() const { return restarts_; }
    int skipped() const { return skipped_; }

    // The shortest stream this finds that still breaks an invariant: cut
    // after the failure, then chunks deleted, halving their size, for as long
    // as some deletion keeps it failing.
    std::vector<MonkeyAction> shrink(std::vector<MonkeyAction> failing);

private:
    int restarts_ = 0;
    int skipped_ = 0;
};

} // namespace pokaz::test

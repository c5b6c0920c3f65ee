// Committing and ending the data module's staged change sets, with the retry question asked while no lock is held.
#pragma once

#include <functional>

class ETransWriteError;
class TData;

namespace booking {

// The retry question of a write that failed in a commit, asked once its write transaction has ended (so others'
// saves go on meanwhile). OK waits the retry delay under the hourglass and answers true; No answers false.
bool AskCommitRetry(const ETransWriteError& error, unsigned delay);

// Commits both change sets (Bookings first) and runs also, in one write transaction of their own. A write that
// fails rolls it all back, restores the sets and asks: OK commits again, No leaves that booking out. Any other
// failure rolls back, restores the sets (their rows still staged) and raises. Answers CommitTrans's result.
bool CommitStagedSets(TData& data, const std::function<void()>& also = {});

// The data module's Bookings, shadow and History tables read again what is stored: after a write transaction was
// rolled back their copies may hold rows that are gone, and counters give a rolled-back row's id out again.
void ReadChangeSetTablesAgain(TData& data);

// Ends both change sets with their staged rows deleted, in one write transaction. When that fails the sets end
// anyway: the rows stay staged until this program's next save takes them out, and count for nobody once it ends.
void RollbackStagedSets(TData& data);

}  // namespace booking

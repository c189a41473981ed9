// Puts every item of the run state back to its start value, as the process makes it:
// the four lists with 5000 empty slots each, every text empty, every integer 0, no
// search open on SearchRec and no stream in SnapFile (one left open is closed).
#pragma once

void ResetRunState();

// Resets the run state when made and again when destroyed, so that a test neither
// sees nor leaves behind another test's lists; use it as a member of a fixture or as a
// local at the top of a test.
class RunStateReset {
public:
    RunStateReset() { ResetRunState(); }
    ~RunStateReset() { ResetRunState(); }
    RunStateReset(const RunStateReset &) = delete;
    RunStateReset &operator=(const RunStateReset &) = delete;
};

#pragma once

#include <QLockFile>

// The turn of one run of init among this user's runs at once (the menu entry
// started twice on a new account, a till moved while another run makes the
// database): two writing the data source's keys together wipe each other's.
// The next run finds what the first made. Held until destroyed.
class InitTurn {
public:
    // Waits for the turn at most half a minute; a run still holding it then
    // is told as a failure. A home where no turn can be kept is run in
    // without one.
    InitTurn();

private:
    QLockFile m_lock;
};

// What the online services ask of the window that shows them. Each call comes from one of the
// services' own threads; net/ itself shows nothing.
#pragma once
#include <windows.h>

#include "platform/thread.h"

class OnlineHost {
  public:
    virtual ~OnlineHost() = default;

    // The site reports a newer version: true when the user wants to visit the site. Asked on
    // the update check's thread, which waits for the answer.
    virtual bool ask_to_visit_update() = 0;
    // The picture on show has changed: the strip is to be drawn again.
    virtual void banner_changed() = 0;
    // A banner picture could not be decoded; told each time its turn comes.
    virtual void banner_undecodable() = 0;
    // A thread of the services could not be started. The program's window ends the process
    // here; a host that returns lets the services go on without that thread.
    virtual void thread_not_started() = 0;
};

// Starts a thread of the online services, telling host when it cannot be started.
inline unique_handle start_service_thread(LPTHREAD_START_ROUTINE procedure, void* argument,
                                          OnlineHost& host) {
    unique_handle thread = start_thread(procedure, argument);
    if (!thread)
        host.thread_not_started();
    return thread;
}

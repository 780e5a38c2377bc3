#pragma once

// The link's two threads pass calls and chunks through Qt's event queues. The locks that order
// them are inside Qt, where ThreadSanitizer cannot see them unless Qt itself was built for it,
// so the link states the order they give: what a thread did before it posted an event happens
// before the receiving thread handles the event. Without ThreadSanitizer this is all empty.
class CHandOver
{
public:
    // Before posting: what this thread did so far comes before the event's handling.
    static void Post();
    // On handling: what the poster did before posting comes before what follows.
    static void Take();

    // Qt's own part of a hand-over, unwatched while this lives: the call objects and the
    // shared data that Qt makes on the posting thread, and the receiving thread reads and
    // frees (or the other way round, as their reference counts fall).
    class CQtPart
    {
    public:
        CQtPart();
        ~CQtPart();
        CQtPart(const CQtPart&) = delete;
        CQtPart& operator=(const CQtPart&) = delete;
    };
};

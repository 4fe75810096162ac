#pragma once

class GK_Object;

// What a drawing's renderer offers an object that is about to enter the
// drawing: the chance to prepare its display geometry once, so that painting
// does not rebuild it.
class GK_DisplayContext {
public:
    virtual ~GK_DisplayContext() = default;
    virtual void prepare(const GK_Object& object) = 0;
};

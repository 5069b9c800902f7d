// krGUIClickReceiver: whatever takes the GUI manager's click events in HandleEvents (the
// application shell is one). The manager knows nothing else of it.
#pragma once

class krGUIObject;

class krGUIClickReceiver
{
public:
    virtual ~krGUIClickReceiver() {}
    // One completed click on `control`, a live control of the manager.
    virtual void OnGUIClick(krGUIObject* control) = 0;
};

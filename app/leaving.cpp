#include "leaving.h"

#include "dataset.h"
#include "form.h"
#include "messagebox.h"

namespace app {

namespace {
std::vector<data::DataSet*> pendingDataSets()
{
    std::vector<data::DataSet*> pending;
    for (controls::Form* form : controls::Form::forms())
        for (data::DataSet* ds : form->dataSets())
            if (ds->isEditing())
                pending.push_back(ds);
    return pending;
}
} // namespace

bool confirmLeave()
{
    const std::vector<data::DataSet*> pending = pendingDataSets();
    if (pending.empty())
        return true;
    switch (controls::askSaveBeforeExit()) {
    case controls::Answer::Yes:
        for (data::DataSet* ds : pending) {
            // Settling a master settles its detail first, so a later entry may be done already.
            if (ds->isEditing())
                ds->settle();
        }
        return true;
    case controls::Answer::No:
        return true;
    default:
        return false;
    }
}

} // namespace app

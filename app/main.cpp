// Program entry: exit status 0 on a normal end, 1 when an error escapes start-up.
#include "application.h"
#include "testhooks.h"

int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    app::installTestHooks(application);
    return application.run();
}

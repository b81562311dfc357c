// This program drives the Qt runner's real widgets: the test main gives it the offscreen platform.
extern "C" const bool ckw_test_drives_qt = true;

// How a job reaches its page viewer without knowing the viewer's windows:
// the viewer implements IJobViewer, the program tells the store how to make
// one (JobStore::setViewerFactory), and the job owns the one it shows.
#pragma once

#include <functional>
#include <memory>

class Job;

class IJobViewer {
public:
    virtual ~IJobViewer() = default;
    virtual bool isShown() const = 0;
    virtual void showWindow(int showCommand) = 0;
    virtual void hideWindow() = 0;
    virtual void close() = 0;
    // The job page shown, 0 when none yet.
    virtual int currentJobPage() const = 0;
    virtual void showJobPage(int page) = 0;
};

using JobViewerFactory = std::function<std::unique_ptr<IJobViewer>(Job&)>;

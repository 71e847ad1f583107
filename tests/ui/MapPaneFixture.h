#pragma once

#include "ProgramTest.h"

#include "core/MathConversions.h"
#include "model/MorvelSettings.h"
#include "model/TestJobDoc.h"
#include "platform/Profile.h"
#include "views/ui/PreviewMapCtrl.h"

#include <wx/frame.h>
#include <wx/image.h>
#include <wx/sizer.h>

#include <cstdint>
#include <memory>

namespace morvel::test {

// A frame holding one map pane of 800 by 600 pixels over a job of our own, with settings read
// from a profile of its own.
class MapPaneFixture : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        if (IsSkipped())
            return;
        dir = std::make_unique<TempDir>();
        profile = std::make_unique<CProfile>(dir->path() / "Morvel.ini");
        SetAppProfile(profile.get());
        settings = std::make_unique<CMorvelSettings>(profile.get());
        SetMorvelSettings(settings.get());
        settings->Load();
        settings->LoadSnapSettings();
        doc = std::make_unique<TestJobDoc>();
        doc->settings.SetDistanceUnit(JobUnitMetres);
        frame = new wxFrame(nullptr, wxID_ANY, "map", wxDefaultPosition, wxDefaultSize);
        map = new CPreviewMapCtrl(frame, wxID_ANY);
        map->SetDocument(doc.get());
        map->Preview().SetViewKind(0);
        frame->SetClientSize(800, 600);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(map, 1, wxEXPAND);
        frame->SetSizer(sizer);
        frame->Show();
        frame->Layout();
        map->SetSize(0, 0, 800, 600);
        Pump();
    }

    void TearDown() override
    {
        if (frame) {
            map->UninstallAsActiveJobMap();
            frame->Destroy();
            Pump();
        }
        doc.reset();
        SetMorvelSettings(nullptr);
        SetAppProfile(nullptr);
        WindowTest::TearDown();
    }

    wxPoint ToClient(double x, double y)
    {
        CPickQuery q;
        q.location = CLocation(x, y, NoValue);
        map->Core().OnWorldToDevice8084(q);
        return wxPoint(q.point.x, q.point.y);
    }

    // 0x00BBGGRR, so that a failure prints the colours.
    static uint32_t Pixel(const wxImage& image, wxPoint p)
    {
        return uint32_t(image.GetRed(p.x, p.y)) | (uint32_t(image.GetGreen(p.x, p.y)) << 8) |
               (uint32_t(image.GetBlue(p.x, p.y)) << 16);
    }

    std::unique_ptr<TempDir> dir;
    std::unique_ptr<CProfile> profile;
    std::unique_ptr<CMorvelSettings> settings;
    std::unique_ptr<TestJobDoc> doc;
    wxFrame* frame = nullptr;
    CPreviewMapCtrl* map = nullptr;
};

} // namespace morvel::test

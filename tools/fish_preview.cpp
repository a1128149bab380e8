// Renders every fish kind with its skin into PNG contact sheets, to judge the model and the
// skins by eye. Needs an X display (run it under xvfb-run on a machine without one).
//
//   fish_preview SKIN_FOLDER OUTPUT_PREFIX
//
// writes OUTPUT_PREFIX-side.png (each kind from the side and from above) and
// OUTPUT_PREFIX-turn.png (each kind from three-quarters, turning and climbing, its waves a few
// frames in).
//
//   fish_preview --sheet SKIN_FOLDER OUTPUT.png
//
// writes the picture sheet of the Fish Settings dialog (assets/bitmaps/fish_sheet.png): 500 x 270,
// each kind from the side in its own 100 x 90 cell, five columns and three rows in kind order,
// on pale water with room at each cell's top-left corner for the count the dialog writes there.
#include <GL/gl.h>
#include <GL/glu.h>
#include <wx/glcanvas.h>
#include <wx/image.h>
#include <wx/wx.h>

#include <cmath>
#include <string>
#include <vector>

#include "fish/fish_draw.h"
#include "fish/fish_gl_sink.h"
#include "fish/fish_kinds.h"
#include "resources/textures.h"

namespace {

constexpr int kColumns = 5;

// The cells of one image: the contact sheets have three rows of kinds with two views each.
struct Layout {
    int cellWidth;
    int cellHeight;
    int rows;
    int Width() const { return cellWidth * kColumns; }
    int Height() const { return cellHeight * rows; }
};
constexpr Layout kContact{220, 110, 6};
constexpr Layout kDialogSheet{100, 90, 3};

// The window is sized for the larger layout; each image is read from its bottom-left corner.
constexpr int kWidth = 220 * kColumns;
constexpr int kHeight = 110 * 6;

// The dialog sheet: pale water behind the fish, so the black counts read well; the camera's
// distance (world units) and the fish's heading (degrees, turned a little towards the viewer).
constexpr float kWater[3] = {0.80f, 0.90f, 0.96f};
constexpr double kSheetDistance = 6.0;
constexpr float kSheetHeading = -20.0f;

// A fish held still: every ring at the heading, no behaviour, no motion.
class StillFish : public reef::FishDrawHooks {
public:
    explicit StillFish(reef::FishPose& pose, float bend) : m_pose(pose), m_bend(bend) {}
    void BendBody(float ringYaw[20]) override {
        for (int i = 0; i < 20; ++i) {
            ringYaw[i] = m_pose.heading - m_bend * i;
        }
    }
    void BehaviourStep() override {}
    void MoveStep() override {}

private:
    reef::FishPose& m_pose;
    float m_bend;
};

class PreviewApp : public wxApp {
public:
    bool OnInit() override {
        m_dialogSheet = argc == 4 && argv[1] == "--sheet";
        if (argc != 3 && !m_dialogSheet) {
            std::fprintf(stderr,
                         "usage: fish_preview SKIN_FOLDER OUTPUT_PREFIX\n"
                         "       fish_preview --sheet SKIN_FOLDER OUTPUT.png\n");
            return false;
        }
        m_skins = argv[argc - 2].ToStdString();
        m_prefix = argv[argc - 1].ToStdString();
        wxInitAllImageHandlers();
        auto* frame =
            new wxFrame(nullptr, wxID_ANY, "fish preview", wxPoint(0, 0), wxSize(kWidth, kHeight));
        wxGLAttributes attributes;
        attributes.PlatformDefaults().RGBA().DoubleBuffer().Depth(24).EndList();
        m_canvas =
            new wxGLCanvas(frame, attributes, wxID_ANY, wxPoint(0, 0), wxSize(kWidth, kHeight));
        frame->SetClientSize(kWidth, kHeight);
        frame->Show();
        CallAfter([this] { Render(); });
        return true;
    }

private:
    void SetUp() {
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_DEPTH_TEST);
        glShadeModel(GL_SMOOTH);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const GLfloat half[4] = {0.5f, 0.5f, 0.5f, 1.0f};
        const GLfloat position[4] = {1000.0f, -1000.0f, 1000.0f, 1.0f};
        glLightfv(GL_LIGHT1, GL_AMBIENT, half);
        glLightfv(GL_LIGHT1, GL_DIFFUSE, half);
        glLightfv(GL_LIGHT1, GL_POSITION, position);
        glEnable(GL_LIGHT1);
        glEnable(GL_LIGHTING);
        glEnable(GL_COLOR_MATERIAL);
        glColor4f(1, 1, 1, 1);
        for (int kind = 0; kind < reef::kFishKindCount; ++kind) {
            reef::LoadBmpTexture(m_skins + "/fish" + std::to_string(kind) + ".bmp",
                                 &m_textures[kind]);
        }
    }

    // One fish in one cell. view 0: side, 1: from above, 2: three-quarters while turning,
    // 3: the dialog sheet's side view, further away so the fish fits the narrower cell.
    void DrawCell(const Layout& layout, int column, int row, int kind, int view) {
        glViewport(column * layout.cellWidth, layout.Height() - (row + 1) * layout.cellHeight,
                   layout.cellWidth, layout.cellHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(30.0, static_cast<double>(layout.cellWidth) / layout.cellHeight, 0.5, 100.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const double d = view == 3 ? kSheetDistance : 4.2;
        const double fishZ = -10.5 - d;
        if (view == 1) {
            gluLookAt(0, d, fishZ, 0, 0, fishZ, 0, 0, -1);
        } else {
            gluLookAt(0, 0, -10.5, 0, 0, -500, 0, 1, 0);
        }
        glTranslated(0.0, 0.0, fishZ);
        glBindTexture(GL_TEXTURE_2D, m_textures[kind]);

        reef::FishPose pose;
        pose.heading = view == 2 ? 35.0f : view == 3 ? kSheetHeading : 0.0f;
        pose.targetPitch = view == 2 ? 15.0f : 0.0f;
        pose.tailStyle = reef::kTailRising;
        StillFish hooks(pose, view == 2 ? 0.3f : 0.0f);
        // A few frames in, so the waves are under way; only the last one stays on screen.
        const int frames = view == 2 ? 16 : 1;
        for (int i = 0; i < frames; ++i) {
            glClear(GL_DEPTH_BUFFER_BIT);
            reef::DrawFish(pose, kind, hooks, reef::OpenGlFishSink());
        }
    }

    void Sheet(const std::string& path, bool turning) {
        glClearColor(0, 0, 0, 1);
        glViewport(0, 0, kWidth, kHeight);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        for (int kind = 0; kind < reef::kFishKindCount; ++kind) {
            int column = kind % kColumns;
            int row = 2 * (kind / kColumns);
            DrawCell(kContact, column, row, kind, turning ? 2 : 0);
            DrawCell(kContact, column, row + 1, kind, turning ? 2 : 1);
        }
        Save(kContact, path);
    }

    void DialogSheet(const std::string& path) {
        glViewport(0, 0, kWidth, kHeight);
        glClearColor(kWater[0], kWater[1], kWater[2], 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        for (int kind = 0; kind < reef::kFishKindCount; ++kind) {
            DrawCell(kDialogSheet, kind % kColumns, kind / kColumns, kind, 3);
        }
        Save(kDialogSheet, path);
    }

    // Reads the layout's image from the back buffer's bottom-left corner and writes it as PNG.
    void Save(const Layout& layout, const std::string& path) {
        const int width = layout.Width();
        const int height = layout.Height();
        glFinish();
        std::vector<unsigned char> pixels(width * height * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        wxImage image(width, height);
        for (int y = 0; y < height; ++y) {
            std::copy_n(&pixels[(height - 1 - y) * width * 3], width * 3,
                        image.GetData() + y * width * 3);
        }
        image.SaveFile(path, wxBITMAP_TYPE_PNG);
    }

    void Render() {
        wxGLContext context(m_canvas);
        m_canvas->SetCurrent(context);
        SetUp();
        if (m_dialogSheet) {
            DialogSheet(m_prefix);
        } else {
            Sheet(m_prefix + "-side.png", false);
            Sheet(m_prefix + "-turn.png", true);
        }
        m_canvas->GetParent()->Destroy();
    }

    bool m_dialogSheet = false;
    std::string m_skins;
    std::string m_prefix;
    wxGLCanvas* m_canvas = nullptr;
    unsigned int m_textures[reef::kFishKindCount] = {};
};

}  // namespace

wxIMPLEMENT_APP(PreviewApp);

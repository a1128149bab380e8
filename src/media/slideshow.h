#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace reef {

class PictureTextures;

// The custom background slideshow behind the Custom Background dialog: the list of up to ten
// pictures, each made into a texture when it is added, the dialog's option boxes and interval
// field, and the choice of the picture shown, switched by a 200 ms tick. The dialog shows this
// state and forwards its controls' actions here; the background pass binds CurrentTexture()
// while the "Use your own image" box is on.
//
// Messages go to the user through ShowMessage() with the program's title as caption.
class Slideshow {
public:
    static constexpr int kMaxImages = 10;
    static constexpr int kTickMs = 200;
    // Pictures never change faster than this, whatever the field holds: an interval of 0 would
    // otherwise switch at every tick, five pictures a second.
    static constexpr int kMinIntervalSeconds = 1;

    enum Mode { kRepeatOne = 0, kRepeatAll = 1, kRandom = 2 };

    // One list row: the picture's full path, whether it is the one shown last ("ON"), and
    // whether its picture is at hand. A saved row whose file cannot be loaded now (a disk not
    // mounted yet, a folder renamed away) stays in the list unavailable: it has no texture, the
    // show never chooses it, and it is saved again, so it works once its file is back (at the
    // next start, or at once when the user double-clicks it).
    struct Row {
        std::string path;
        bool on = false;
        bool available = true;
    };

    // Starts stopped, with an empty list, Repeat One chosen and an interval of "5".
    explicit Slideshow(PictureTextures& textures);
    // Releases the textures of the rows still listed.
    ~Slideshow();
    Slideshow(const Slideshow&) = delete;
    Slideshow& operator=(const Slideshow&) = delete;

    // --- What the controls show.
    const std::vector<Row>& Rows() const { return m_rows; }
    bool OwnImage() const { return m_ownImage; }  // "Use your own image"
    bool OrderChecked(Mode box) const { return m_orderChecked[box]; }
    const std::string& IntervalText() const { return m_interval; }  // seconds, as typed
    // The user typed into the interval field; it takes effect at the next tick. A field that
    // holds no number (empty while the user retypes it, or a hand-edited "x" or "-3") keeps the
    // last interval that was a number; 0 counts as 1 s.
    void SetIntervalText(const std::string& text);
    // Seconds between switches: the last number the field held, at least kMinIntervalSeconds.
    std::int64_t IntervalSeconds() const { return m_intervalSeconds; }

    // --- The controls' actions.
    // The "Use your own image" box after its own toggle: on starts the show, off stops it.
    void ToggleOwnImage(bool checked);
    // "Add Image" with the file the user chose; the first picture added while the box is on
    // starts the show.
    void AddChosenImage(const std::string& path);
    // "Remove Image" with the selected row, or -1 when none is selected. The show then jumps to
    // row 0 while running, whether or not a row was removed.
    void RemoveImage(int selectedRow);
    // "Remove All": the list and the current picture go; running or not stays as it was.
    void RemoveAll();
    // A double click on `row` shows it at once, in any order, without restarting the interval.
    // An unavailable row is loaded again first; when it still fails, its message says so and
    // the picture shown stays.
    void ShowRow(int row);
    // One of the three order boxes: it becomes the only one checked.
    void ChooseOrder(Mode mode);
    // The 200 ms timer: counts the tick and switches the picture when IntervalSeconds() are up
    // (at once on the first tick after a start).
    void Tick();

    // --- The operations the actions are made of.
    // Adds a row for the picture at `path` when its texture can be made. A full list (10 rows)
    // or a picture that fails shows its message and adds nothing; a failure also stops the show.
    bool AddBackgroundImage(const std::string& path);
    // The texture to show next, 0 when the list is empty or the show is stopped. With
    // `userPick`, row `row` itself (marked "ON"); otherwise by the order: Repeat One keeps the
    // current picture (or row 0), Repeat All takes the row after the current one (row 1 when
    // none is current), Random any row. Unavailable rows are passed over: Repeat One and Repeat
    // All take the next available row, Random draws among the available ones; none gives 0.
    unsigned int PickPicture(int row, bool userPick);
    void StartSlideshow();
    // Stops switching and marks every row "OFF"; the current picture stays.
    void StopSlideshow();

    // Section "Custom Images" of the settings file at `iniPath`, every key in one replacement of
    // the file, so that a crash leaves the old section or the new one. Unavailable rows are
    // saved too.
    void SaveBackgroundSettings(const std::string& iniPath) const;
    // Reads the section back in one pass: the boxes, the interval and the list, whose pictures
    // are loaded one by one (each failure shows its message, and the row stays, unavailable);
    // starts the show when it was on. Paths are read whole (settings/saved_list.h).
    void LoadBackgroundSettings(const std::string& iniPath);

    // --- State, for the dialog and the background pass.
    unsigned int CurrentTexture() const { return m_texCurrent; }  // 0 = none
    unsigned int TextureOfRow(int row) const { return m_texImages[row]; }
    int Count() const { return m_nCount; }
    bool Running() const { return m_bRunning; }
    Mode GetMode() const { return static_cast<Mode>(m_nMode); }

private:
    void MarkOnly(int row);  // -1 marks every row "OFF"
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    int RowOfTexture(unsigned int texture) const;  // first row, or -1
    // The first available row at `from` or after it, going round the list; -1 when none is.
    int NextAvailableRow(int from) const;
    // Makes the texture of row `row`; a failure shows its message. True when it loaded.
    bool LoadRowTexture(int row);
    void CheckOrder(Mode mode);

    PictureTextures& m_textures;
    std::vector<Row> m_rows;
    std::array<unsigned int, kMaxImages> m_texImages{};
    unsigned int m_texCurrent = 0;
    int m_nCount = 0;
    bool m_bRunning = false;
    int m_nMode = kRepeatOne;
    std::int64_t m_nTicks = -1;  // ticks since the last switch; -1 switches at the next tick

    bool m_ownImage = false;
    std::array<bool, 3> m_orderChecked{true, false, false};
    std::string m_interval = "5";
    std::int64_t m_intervalSeconds = 5;
};

}  // namespace reef

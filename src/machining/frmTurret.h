// Turret interference check: the lathe's tool turret drawn to scale, looking along the spindle
// axis, with the tool at the machining position, the tool one to three stations further round,
// the chuck and the turret's swing circle. Machine dimensions come from the machine table
// next to the program; holder and tool sizes are filled from the chosen machine and can be
// typed over. The check is visual: nothing is computed into a field.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "machining/machine_table.h"
#include "shell/figure_window.h"

namespace quillon {

class frmTurret : public FigureWindow {
public:
    explicit frmTurret(Module1& m);

    void Machine_Click();
    void HolderType1_Click();
    void HolderType2_Click();
    void Recalculate() override;
    void Picture1_MouseMove(double x, double y);

    // The picture box in pixels; its aspect sets the drawing's width.
    static constexpr double kPictureWidth = 630;
    static constexpr double kPictureHeight = 420;

protected:
    void Form_Load() override;
    // The focus goes to the first control, the machine list.
    void Form_GotFocus() override { Form::Form_GotFocus(); }
    // The drawing stays as it is when the window is uncovered.
    void Form_Paint() override {}
    // A fault ends the drawing without a message.
    void NoSolutionText() override {}

private:
    // The turret as Recalculate reads it: centre (W, -TY) in drawing coordinates (y
    // downwards), N stations, half the station pitch alpha, corner radius L.
    struct Turret {
        double W, TY, TX;
        int N;
        double alpha, L;
    };
    // What one station holds: holder type (list index), holder height H, tool diameter or
    // centre height D, tool length or shift T.
    struct Station {
        int type;
        double H, D, T;
    };

    void LoadMachineData();
    // The red message of a machine table that could not be read, at (1500, 2500) of the
    // picture's own scale in twips.
    void MissingFileMessage();
    // Field `field` of the chosen machine's record, as text / as the number it begins with.
    const std::string& Field(size_t field) const;
    double FieldNumber(size_t field) const { return ReadNumber(Field(field)); }
    // Fills a frame's holder height, tool diameter and tool length from the chosen machine
    // for the holder type picked in `typeList`.
    void FillHolder(const char* typeList, const char* height, const char* diameter,
                    const char* length);

    void DrawAxes();
    void DrawTurret(const Turret& t);
    void DrawCuttingTool(const Turret& t, const Station& s);
    // The station S stations further round, with the tool diameter read for it.
    void DrawInterferingTool(const Turret& t, int S, double toolD1);
    // Holder and tool of a station, built at the station that faces the spindle and turned
    // about the turret centre by theta (radians).
    void DrawStation(const Turret& t, const Station& s, double theta);
    void DrawChuck(double cutD);
    void DrawSwingCircle(const Turret& t);

    std::optional<MachineTable> MachineData;  // nothing when the file could not be read
    std::int16_t MachineIndex = 0;
};

}  // namespace quillon

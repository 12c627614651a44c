#pragma once
// The layers of a one-dimensional model column: thicknesses from the surface down, the last layer
// standing for the half-space beneath (its thickness only places it for the roughness weights).
// The weights make the roughness of a column an approximation of the integral of
// (d log10 rho / d ln z)^2 over ln z, and its lateral roughness one of the integral of the squared
// station-to-station change over ln z, so that the penalty does not depend on how finely a grid
// cuts the depth axis and resolution may fade with depth as it does for the data.

#include <vector>

class LayerGrid {
public:
    // thicknesses in m, each > 0, at least two.
    explicit LayerGrid(std::vector<double> thicknesses);

    int layerCount() const { return int(heights.size()); }
    // The thicknesses of the layers above the half-space.
    std::vector<double> thicknessesAboveHalfSpace() const;
    // Depth (m) of the top of layer k.
    double topDepth(int k) const { return tops[k]; }
    // Squared weight of the difference between layers k and k + 1: 1 / ln(zc[k+1] / zc[k]) with zc
    // the layers' centre depths.
    double verticalWeight(int k) const;
    // Squared weight of the difference of layer k between neighbouring stations: the layer's share
    // ln(bottom / top) of the log-depth axis, the first layer's top taken as half its thickness.
    double lateralWeight(int k) const;

private:
    double centreDepth(int k) const { return tops[k] + heights[k] / 2; }

    std::vector<double> heights;
    std::vector<double> tops;
};

// The random numbers and the correlated noise behind the Monte-Carlo figures.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "lightcurve/edges/correlated_noise.h"
#include "lightcurve/edges/edge_monte_carlo.h"
#include "lightcurve/edges/normal_random.h"

namespace zuna {
namespace {

double LagCorrelation(const std::vector<double>& x, std::size_t lag) {
  double mean = 0;
  for (double v : x) mean += v;
  mean /= static_cast<double>(x.size());
  double c0 = 0;
  double ck = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    c0 += (x[i] - mean) * (x[i] - mean);
    if (i + lag < x.size()) ck += (x[i] - mean) * (x[i + lag] - mean);
  }
  return ck / c0;
}

TEST(NormalRandom, RepeatsForASeedAndHasTheNormalShapeIntoTheTails) {
  NormalRandom a(11);
  NormalRandom b(11);
  NormalRandom c(12);
  bool differs = false;
  for (int i = 0; i < 100; ++i) {
    const double x = a.Normal();
    EXPECT_EQ(x, b.Normal());
    differs |= x != c.Normal();
  }
  EXPECT_TRUE(differs);

  constexpr int kDraws = 2'000'000;
  double sum = 0;
  double squares = 0;
  int beyond2 = 0;
  int beyond3 = 0;
  for (int i = 0; i < kDraws; ++i) {
    const double x = a.Normal();
    sum += x;
    squares += x * x;
    beyond2 += std::abs(x) > 2;
    beyond3 += std::abs(x) > 3;
  }
  EXPECT_NEAR(sum / kDraws, 0, 0.003);
  EXPECT_NEAR(squares / kDraws, 1, 0.004);
  EXPECT_NEAR(static_cast<double>(beyond2) / kDraws, 0.04550, 0.0006);
  EXPECT_NEAR(static_cast<double>(beyond3) / kDraws, 0.00270, 0.00015);
}

TEST(CorrelatedNoise, MeasuresTheAutocorrelationAcrossGapsAndReproducesIt) {
  NormalRandom random(5);
  // AR(1) noise with lag-1 correlation 0.6, every tenth point dropped.
  std::vector<double> residuals;
  std::vector<std::int64_t> slots;
  double x = 0;
  for (std::int64_t slot = 0; slot < 20'000; ++slot) {
    x = 0.6 * x + 0.8 * random.Normal();
    if (slot % 10 == 3) continue;
    residuals.push_back(3 * x);
    slots.push_back(slot);
  }
  const NoiseModel model = EstimateNoiseModel(residuals, slots);
  ASSERT_GE(model.autocorrelation.size(), 1u);
  EXPECT_NEAR(model.autocorrelation[0], 0.6, 0.03);
  EXPECT_NEAR(MeanVarianceFactor(model, 1000), 4.0, 0.5);  // (1 + 0.6) / (1 - 0.6)

  std::vector<double> generated(50'000);
  FillCorrelatedNoise(model, random, generated);
  EXPECT_NEAR(LagCorrelation(generated, 1), 0.6, 0.03);
  EXPECT_NEAR(LagCorrelation(generated, 2), 0.36, 0.04);
  double squares = 0;
  for (double v : generated) squares += v * v;
  EXPECT_NEAR(squares / static_cast<double>(generated.size()), 1, 0.05);

  // White noise keeps a white model.
  std::vector<double> white(5000);
  std::vector<std::int64_t> whiteSlots(white.size());
  for (std::size_t i = 0; i < white.size(); ++i) {
    white[i] = random.Normal();
    whiteSlots[i] = static_cast<std::int64_t>(i);
  }
  EXPECT_TRUE(EstimateNoiseModel(white, whiteSlots).ar.empty());
}

TEST(FalsePositiveRate, IsHowOftenNoiseMakesSoDeepADropAnywhere) {
  std::vector<std::int64_t> slots(250);
  for (std::size_t i = 0; i < slots.size(); ++i) slots[i] = static_cast<std::int64_t>(i);
  // One point 3 sigma below the rest: 1 - (1 - 0.00135)^250 of white-noise curves have one.
  const double single = FalsePositiveRate({slots, 1, 3.0}, NoiseModel{}, 20'000, 9, nullptr);
  EXPECT_NEAR(single, 0.287, 0.02);
  // Correlated noise makes a long shallow drop far more often than white noise does.
  NoiseModel correlated;
  correlated.autocorrelation = {0.7};
  correlated.ar = {0.7};
  correlated.innovation = std::sqrt(1 - 0.49);
  const NoiseDrop shallow{slots, 30, 0.8};
  EXPECT_LT(FalsePositiveRate(shallow, NoiseModel{}, 5000, 9, nullptr), 0.01);
  EXPECT_GT(FalsePositiveRate(shallow, correlated, 5000, 9, nullptr), 0.1);
}

}  // namespace
}  // namespace zuna

// Placeholder until the numerical functions land.

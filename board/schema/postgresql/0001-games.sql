-- The games the board took, each with the result that playing it gave, and their
-- replays beside them (kept apart so that reading the table never touches them).
CREATE TABLE games (
  id BIGSERIAL PRIMARY KEY,
  digest TEXT NOT NULL UNIQUE,
  difficulty TEXT NOT NULL,
  name TEXT NOT NULL,
  score INTEGER NOT NULL,
  level INTEGER NOT NULL,
  ticks BIGINT NOT NULL,
  received TEXT NOT NULL,
  address TEXT NOT NULL
);
CREATE INDEX games_by_rank ON games (difficulty, score DESC, id);
CREATE TABLE replays (
  game_id BIGINT PRIMARY KEY REFERENCES games (id),
  body BYTEA NOT NULL
);
